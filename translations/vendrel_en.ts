<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="pl_PL">
<context>
    <name>Adapt</name>
    <message>
        <source>Zagęszczenie siatki nie powiodło się.</source>
        <translation>Refining the mesh failed.</translation>
    </message>
</context>
<context>
    <name>BatchDrawing</name>
    <message>
        <source>Rysunek nie podaje jednostek ($INSUNITS), więc --dxf-scale m nie ma z czego przeliczyć; podaj skalę liczbą.</source>
        <translation>The drawing gives no units ($INSUNITS), so --dxf-scale m has nothing to convert from; give the scale as a number.</translation>
    </message>
</context>
<context>
    <name>BatchExport</name>
    <message>
        <source> Taką siatkę zapisuje plik .msh albo .vtu (--export PLIK.msh).</source>
        <translation> A .msh or .vtu file takes such a mesh (--export FILE.msh).</translation>
    </message>
    <message>
        <source>Sprawdzenie modelu nie znalazło znanej sobie przyczyny.</source>
        <translation>The model check found no cause it knows of.</translation>
    </message>
    <message>
        <source>Możliwe przyczyny:</source>
        <translation>Possible causes:</translation>
    </message>
    <message>
        <source>szacowany błąd %1 (%2)</source>
        <translation>estimated error %1 (%2)</translation>
    </message>
    <message>
        <source>Osiągnięto zadaną dokładność %1: %2.</source>
        <translation>The requested accuracy %1 was reached: %2.</translation>
    </message>
    <message>
        <source>Limit %1 nie pozwala osiągnąć dokładności %2: %3.</source>
        <translation>The limit of %1 does not allow the accuracy %2: %3.</translation>
    </message>
    <message>
        <source>Po %1 krokach nie osiągnięto dokładności %2: %3.</source>
        <translation>The accuracy %2 was not reached after %1 steps: %3.</translation>
    </message>
    <message>
        <source>Przerwano zagęszczanie: %1.</source>
        <translation>The refinement was stopped: %1.</translation>
    </message>
    <message>
        <source>Generacja siatki nie powiodła się</source>
        <translation>Mesh generation failed</translation>
    </message>
    <message>
        <source>Zwiększ pole trójkąta (na przykład --area %1) albo --max-triangles.</source>
        <translation>Increase the triangle area (for example --area %1) or --max-triangles.</translation>
    </message>
    <message>
        <source>Zwiększ pole trójkąta albo --max-triangles.</source>
        <translation>Increase the triangle area or --max-triangles.</translation>
    </message>
    <message>
        <source>Krok %1: %2, szacowany błąd %3</source>
        <translation>Step %1: %2, estimated error %3</translation>
    </message>
    <message>
        <source>Zapisano siatkę z rozwiązaniem: %1 (%2, %3)</source>
        <translation>Mesh with the solution saved: %1 (%2, %3)</translation>
    </message>
    <message>
        <source>Plik wyeksportowano poprawnie: %1 (%2, %3)</source>
        <translation>The file was exported successfully: %1 (%2, %3)</translation>
    </message>
    <message>
        <source>Szacowany błąd: %1</source>
        <translation>Estimated error: %1</translation>
    </message>
</context>
<context>
    <name>BatchIntegrals</name>
    <message>
        <source>Warunku nr %1 nie ma w projekcie albo nie wskazuje go żaden element (--integrate %2)</source>
        <translation>Condition no. %1 is not in the project or no element refers to it (--integrate %2)</translation>
    </message>
    <message>
        <source>Materiału nr %1 nie ma w projekcie (--integrate %2)</source>
        <translation>Material no. %1 is not in the project (--integrate %2)</translation>
    </message>
</context>
<context>
    <name>BatchOptions</name>
    <message>
        <source>PLIK</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Bez okna: eksportuje siatkę projektu do PLIKU.</source>
        <translation>Without a window: exports the project&apos;s mesh to FILE.</translation>
    </message>
    <message>
        <source>Bez okna: generuje siatkę, rozwiązuje zadanie i zapisuje siatkę z rozwiązaniem do PLIKU (.msh albo .vtu).</source>
        <translation>Without a window: meshes, solves the problem and writes the mesh with the solution to FILE (.msh or .vtu).</translation>
    </message>
    <message>
        <source>POLE</source>
        <translation>AREA</translation>
    </message>
    <message>
        <source>Maksymalne pole trójkąta (domyślnie %1).</source>
        <translation>The largest triangle area (%1 when not given).</translation>
    </message>
    <message>
        <source>WERSJA</source>
        <translation>VERSION</translation>
    </message>
    <message>
        <source>Wersja formatu MSH: 4.1 (domyślna) albo 2.2.</source>
        <translation>The MSH format&apos;s version: 4.1 (the default) or 2.2.</translation>
    </message>
    <message>
        <source>Bez okna: duże siatki, do N trójkątów (limit 1 999 trójkątów i 999 węzłów bez tej opcji).</source>
        <translation>Without a window: large meshes, up to N triangles (the limit is 1 999 triangles and 999 nodes without this option).</translation>
    </message>
    <message>
        <source>Z --solve: zagęszcza siatkę, aż szacowany błąd względny spadnie do ETA (0.01 to 1 %), w najwyżej %2 krokach, w limicie trójkątów (--max-triangles).</source>
        <translation>With --solve: refines the mesh until the estimated relative error falls to ETA (0.01 is 1 %), in at most %2 steps, within the triangle limit (--max-triangles).</translation>
    </message>
    <message>
        <source>CO</source>
        <translation>WHAT</translation>
    </message>
    <message>
        <source>Z --solve, można powtarzać: wypisuje na standardowe wyjście całki rozwiązania po elementach warunku (condition:N), po materiale (material:M, 0 to własny modelu) albo po całym obszarze (region), wiersz na wielkość: nazwa wartość jednostka.</source>
        <translation>With --solve, repeatable: prints the solution&apos;s integrals to standard output over the elements of a condition (condition:N), over a material (material:M, 0 is the model&apos;s own) or over the whole region (region), one line per quantity: name value unit.</translation>
    </message>
    <message>
        <source>Rysunek DXF: tolerancja cięciw łuków w jednostkach rysunku (domyślnie tysięczna przekątnej).</source>
        <translation>DXF drawing: the tolerance of the arcs&apos; chords in the drawing&apos;s units (a thousandth of the diagonal when not given).</translation>
    </message>
    <message>
        <source>Rysunek DXF: odległość łączenia końców w jednostkach rysunku (domyślnie pięciotysięczna przekątnej; 0 łączy tylko końce, które się spotykają).</source>
        <translation>DXF drawing: the distance within which ends are joined, in the drawing&apos;s units (a five-thousandth of the diagonal when not given; 0 joins only ends that meet).</translation>
    </message>
    <message>
        <source>Rysunek DXF: skala, jednostki modelu na jednostkę rysunku (domyślnie 1; m przelicza na metry z jednostek rysunku, $INSUNITS).</source>
        <translation>DXF drawing: the scale, model units per drawing unit (1 when not given; m converts to metres from the drawing&apos;s units, $INSUNITS).</translation>
    </message>
    <message>
        <source>Bez okna: vendrel</source>
        <translation>Without a window: vendrel</translation>
    </message>
    <message>
        <source>{projekt.vdk | rysunek.dxf}</source>
        <translation>{project.vdk | drawing.dxf}</translation>
    </message>
    <message>
        <source>otwiera projekt, generuje siatkę (domyślne pole trójkąta %1; limit 1 999
trójkątów i 999 węzłów, z --max-triangles do N trójkątów) i eksportuje ją
w formacie wskazanym przez rozszerzenie PLIKU: m2d, ulx, n2d, msh (Gmsh 4.1
albo 2.2), vtu (VTK). Z --solve zamiast --export rozwiązuje też zadanie
i zapisuje siatkę z rozwiązaniem (msh 4.1 albo vtu); z --adapt ETA zagęszcza
siatkę tam, gdzie szacowany błąd jest największy, i rozwiązuje ponownie, aż
szacowany błąd względny spadnie do ETA, skończą się kroki (%2) albo limit
trójkątów (--max-triangles, bez tej opcji 1 999). Po -- nazwy plików
mogą zaczynać się od -. Rysunek DXF zamiast projektu: kontury z domyślną
tolerancją cięciw, kontury zagnieżdżone jako otwory, wszystkie elementy
z warunkiem 1; podsumowanie importu na standardowe wyjście błędów;
--dxf-tolerance, --dxf-join i --dxf-scale zmieniają cięcie, łączenie i skalę.
Kod wyjścia: 0 sukces, 2 błędne argumenty (także pole trójkąta równe 0 po
zaokrągleniu do 6 miejsc po przecinku i PLIK, który jest plikiem projektu),
3 nie można odczytać projektu albo rysunku DXF,
4 generacja siatki nie powiodła się, 5 nie można zapisać pliku (także gdy format
m2d, ulx lub n2d nie przyjmuje tak dużej siatki albo siatka jest zdegenerowana),
6 zadania nie można rozwiązać (--solve).
Z --solve opcja --integrate CO (można powtarzać) wypisuje na standardowe
wyjście całki rozwiązania, wiersz na wielkość: nazwa, wartość (z kropką,
z pełną dokładnością) i jednostka (- dla żadnej). Nazwa to CO, kropka i klucz:
po elementach warunku (condition:N) length, flow (dopływ do obszaru) i mean.T
(średnia pola; dla tarczy force_x, force_y, moment względem (0, 0),
mean.u_magnitude, mean.ux, mean.uy); po materiale (material:M, 0 to własny
modelu) i po całym obszarze (region) area, a dla każdego pola integral.P,
mean.P, min.P, max.P (dla tarczy też strain_energy), na przykład
condition:2.flow 12.5 W/m albo material:1.mean.T 20.5 °C.</source>
        <translation>opens the project, meshes it (triangle area %1 when not given; limit 1 999
triangles and 999 nodes, with --max-triangles up to N triangles) and exports
the mesh in the format FILE&apos;s extension names: m2d, ulx, n2d, msh (Gmsh 4.1
or 2.2), vtu (VTK). With --solve instead of --export it also solves the
problem and writes the mesh with the solution (msh 4.1 or vtu); with --adapt
ETA it refines the mesh where the estimated error is largest and solves again
until the estimated relative error falls to ETA, the steps (%2) run out or the
triangle limit is reached (--max-triangles, 1 999 without it). After -- file
names may begin with -. A DXF drawing instead of a project: contours with the
default chord tolerance, nested contours as holes, every element on
condition 1; the import&apos;s summary goes to standard error; --dxf-tolerance,
--dxf-join and --dxf-scale change the cutting, the joining and the scale.
Exit status: 0 success, 2 bad arguments (also a triangle area that is 0 once
rounded to 6 decimal places, and a FILE that is a project file),
3 the project or the DXF drawing cannot be read,
4 the mesh generation failed, 5 the file cannot be written (also when the m2d,
ulx or n2d format does not take so large a mesh or the mesh is degenerate),
6 the problem cannot be solved (--solve).
With --solve, --integrate WHAT (repeatable) prints the solution&apos;s integrals
to standard output, one line per quantity: name, value (with a decimal point,
at full precision) and unit (- for none). The name is WHAT, a dot and a key:
over the elements of a condition (condition:N) length, flow (inflow into the
region) and mean.T (the field&apos;s mean; for the disc force_x, force_y, moment
about (0, 0), mean.u_magnitude, mean.ux, mean.uy); over a material
(material:M, 0 is the model&apos;s own) and over the whole region (region) area,
and for each field integral.P, mean.P, min.P, max.P (for the disc also
strain_energy), for example condition:2.flow 12.5 W/m or
material:1.mean.T 20.5 °C.</translation>
    </message>
    <message>
        <source>Nieznana opcja %1</source>
        <translation>Unknown option %1</translation>
    </message>
    <message>
        <source>Brak wartości opcji %1</source>
        <translation>The option %1 has no value</translation>
    </message>
    <message>
        <source>Opcje --export i --solve wykluczają się</source>
        <translation>The options --export and --solve exclude each other</translation>
    </message>
    <message>
        <source>Pole trójkąta musi być liczbą dodatnią: %1</source>
        <translation>The triangle area must be a positive number: %1</translation>
    </message>
    <message>
        <source>Dokładność (--adapt) to błąd względny większy od 0 i mniejszy od 1, na przykład 0.01: %1</source>
        <translation>The accuracy (--adapt) is a relative error greater than 0 and less than 1, for example 0.01: %1</translation>
    </message>
    <message>
        <source>Opcja --integrate przyjmuje condition:N (warunek nr N), material:M (materiał nr M, 0 to własny modelu) albo region (cały obszar): %1</source>
        <translation>The option --integrate takes condition:N (condition no. N), material:M (material no. M, 0 being the model&apos;s own) or region (the whole region): %1</translation>
    </message>
    <message>
        <source>Największa liczba trójkątów to liczba całkowita od 1 do %1: %2</source>
        <translation>The largest number of triangles is a whole number from 1 to %1: %2</translation>
    </message>
    <message>
        <source>Wartość opcji %1 musi być liczbą nieujemną nie większą niż 1e9: %2</source>
        <translation>The value of the option %1 must be a non-negative number not greater than 1e9: %2</translation>
    </message>
    <message>
        <source>Wartość opcji %1 musi być liczbą dodatnią nie większą niż 1e9: %2</source>
        <translation>The value of the option %1 must be a positive number not greater than 1e9: %2</translation>
    </message>
    <message>
        <source>Wersja formatu MSH to 4.1 albo 2.2, a nie %1</source>
        <translation>The MSH format version is 4.1 or 2.2, not %1</translation>
    </message>
    <message>
        <source>Brak nazwy pliku wynikowego (--export PLIK albo --solve PLIK)</source>
        <translation>No output file name (--export FILE or --solve FILE)</translation>
    </message>
    <message>
        <source>Brak pliku projektu</source>
        <translation>No project file</translation>
    </message>
    <message>
        <source>Podaj jeden plik projektu</source>
        <translation>Give one project file</translation>
    </message>
    <message>
        <source>Opcje --dxf-… dotyczą tylko rysunków .dxf</source>
        <translation>The --dxf-… options apply only to .dxf drawings</translation>
    </message>
    <message>
        <source>Plik wynikowy %1 jest plikiem projektu</source>
        <translation>The output file %1 is the project file</translation>
    </message>
    <message>
        <source>Nieznany format pliku %1 (m2d, ulx, n2d, msh, vtu)</source>
        <translation>Unknown format of the file %1 (m2d, ulx, n2d, msh, vtu)</translation>
    </message>
    <message>
        <source>Rozwiązanie zapisuje plik .msh (Gmsh 4.1) albo .vtu: %1</source>
        <translation>The solution is written to a .msh (Gmsh 4.1) or .vtu file: %1</translation>
    </message>
    <message>
        <source>Opcja --adapt dotyczy tylko --solve</source>
        <translation>The option --adapt applies only to --solve</translation>
    </message>
    <message>
        <source>Opcja --integrate dotyczy tylko --solve</source>
        <translation>The option --integrate applies only to --solve</translation>
    </message>
    <message>
        <source>Opcja --msh-version dotyczy tylko plików .msh</source>
        <translation>The option --msh-version applies only to .msh files</translation>
    </message>
</context>
<context>
    <name>BoundaryDialogs</name>
    <message>
        <source>nr %1, x%2, y%3</source>
        <translation>no. %1, x%2, y%3</translation>
    </message>
    <message>
        <source>nr %1, %2%3 %4 %5</source>
        <translation>no. %1, %2%3 %4 %5</translation>
    </message>
    <message>
        <source>nr %1</source>
        <translation>no. %1</translation>
    </message>
    <message>
        <source>nr %1, %2</source>
        <translation>no. %1, %2</translation>
    </message>
    <message>
        <source>Własności elementu</source>
        <translation>Element properties</translation>
    </message>
    <message>
        <source>Numer elementu</source>
        <translation>Element number</translation>
    </message>
    <message>
        <source>Nr węzeła początkowego</source>
        <translation>Start node no.</translation>
    </message>
    <message>
        <source>Nr węzeł końcowego</source>
        <translation>End node no.</translation>
    </message>
    <message>
        <source>Nr warunku brzegowego</source>
        <translation>Boundary condition no.</translation>
    </message>
    <message>
        <source>Nr brzegu</source>
        <translation>Boundary no.</translation>
    </message>
    <message>
        <source>Błędne dane</source>
        <translation>Invalid data</translation>
    </message>
    <message>
        <source>Węzeł wewnętrzny</source>
        <translation>Internal node</translation>
    </message>
    <message>
        <source>Numer węzła</source>
        <translation>Node number</translation>
    </message>
    <message>
        <source>współrzędna X</source>
        <translation>X coordinate</translation>
    </message>
    <message>
        <source>współrzędna Y</source>
        <translation>Y coordinate</translation>
    </message>
    <message>
        <source>Złe dane</source>
        <translation>Invalid data</translation>
    </message>
    <message>
        <source>Warunek brzegowy</source>
        <translation>Boundary condition</translation>
    </message>
</context>
<context>
    <name>Codes</name>
    <message>
        <source>zewnętrzny</source>
        <translation>outer</translation>
    </message>
    <message>
        <source>wewnętrzny</source>
        <translation>inner</translation>
    </message>
    <message>
        <source>temperatura</source>
        <translation>temperature</translation>
    </message>
    <message>
        <source>strumień</source>
        <translation>flux</translation>
    </message>
    <message>
        <source>konwekcja</source>
        <translation>convection</translation>
    </message>
    <message>
        <source>obciążenie ciągłe</source>
        <translation>distributed load</translation>
    </message>
    <message>
        <source>przemieszczenie</source>
        <translation>displacement</translation>
    </message>
    <message>
        <source>podpora przesuwna</source>
        <translation>roller support</translation>
    </message>
</context>
<context>
    <name>CommandContext</name>
    <message>
        <source>Błędne ustawienia siatki !</source>
        <translation>Wrong grid settings!</translation>
    </message>
    <message>
        <source>Bład przy odświeżaniu ekranu...</source>
        <translation>Error while refreshing the screen...</translation>
    </message>
    <message>
        <source>Siatka nie została wygenerowana</source>
        <translation>The mesh has not been generated</translation>
    </message>
    <message>
        <source>Wybrane elementy: %1</source>
        <translation>Selected elements: %1</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>zmiana modelu</source>
        <translation>model change</translation>
    </message>
</context>
<context>
    <name>ContourCommands</name>
    <message>
        <source>Linia łamana</source>
        <translation>Polyline</translation>
    </message>
    <message>
        <source>dodanie punktu linii łamanej</source>
        <translation>adding a polyline point</translation>
    </message>
    <message>
        <source>Wskaż kolejne punkty myszką</source>
        <translation>Point at the next points with the mouse</translation>
    </message>
    <message>
        <source>Ostatni pkt: %1, %2</source>
        <translation>Last pt: %1, %2</translation>
    </message>
    <message>
        <source>Wskaż pierwszy punkt myszką</source>
        <translation>Point at the first point with the mouse</translation>
    </message>
    <message>
        <source>Zamknąć linie łamaną ?</source>
        <translation>Close the polyline?</translation>
    </message>
    <message>
        <source>zamknięcie linii łamanej</source>
        <translation>closing the polyline</translation>
    </message>
    <message>
        <source>Nie można zamknąć lini łąmanej </source>
        <translation>The polyline cannot be closed </translation>
    </message>
    <message>
        <source>usunięcie ostatniego elementu</source>
        <translation>removing the last element</translation>
    </message>
    <message>
        <source>dodanie elipsy</source>
        <translation>adding an ellipse</translation>
    </message>
</context>
<context>
    <name>DiscSolve</name>
    <message>
        <source>Moduł Younga E</source>
        <translation>Young&apos;s modulus E</translation>
    </message>
    <message>
        <source>skończony i dodatni</source>
        <translation>finite and positive</translation>
    </message>
    <message>
        <source>%1 musi leżeć między -1 a 0,5, bez końców (jest %2).</source>
        <translation>%1 must lie between -1 and 0.5, ends excluded (it is %2).</translation>
    </message>
    <message>
        <source>Liczba Poissona ν</source>
        <translation>Poisson&apos;s ratio ν</translation>
    </message>
    <message>
        <source>Tarcza nie jest utwierdzona: żaden brzeg nie ma warunku przemieszczenia (rodzaj 2), więc może się swobodnie przesuwać i obracać.</source>
        <translation>The disc is not held: no boundary has a displacement condition (kind 2), so it can move and rotate freely.</translation>
    </message>
</context>
<context>
    <name>Drawing</name>
    <message>
        <source>cale</source>
        <translation>inches</translation>
    </message>
    <message>
        <source>stopy</source>
        <translation>feet</translation>
    </message>
    <message>
        <source>mile</source>
        <translation>miles</translation>
    </message>
    <message>
        <source>milimetry</source>
        <translation>millimetres</translation>
    </message>
    <message>
        <source>centymetry</source>
        <translation>centimetres</translation>
    </message>
    <message>
        <source>metry</source>
        <translation>metres</translation>
    </message>
    <message>
        <source>kilometry</source>
        <translation>kilometres</translation>
    </message>
    <message>
        <source>mikrocale</source>
        <translation>microinches</translation>
    </message>
    <message>
        <source>mile (tysięczne cala)</source>
        <translation>mils (thousandths of an inch)</translation>
    </message>
    <message>
        <source>jardy</source>
        <translation>yards</translation>
    </message>
    <message>
        <source>angstremy</source>
        <translation>ångströms</translation>
    </message>
    <message>
        <source>nanometry</source>
        <translation>nanometres</translation>
    </message>
    <message>
        <source>mikrometry</source>
        <translation>micrometres</translation>
    </message>
    <message>
        <source>decymetry</source>
        <translation>decimetres</translation>
    </message>
    <message>
        <source>dekametry</source>
        <translation>decametres</translation>
    </message>
    <message>
        <source>hektometry</source>
        <translation>hectometres</translation>
    </message>
</context>
<context>
    <name>DrawingHelper</name>
    <message>
        <source>Nie udało się odczytać rysunku %1: program czytający rysunek nie dał się uruchomić.</source>
        <translation>Could not read the drawing %1: the drawing reader could not be started.</translation>
    </message>
    <message>
        <source>Nie udało się odczytać rysunku %1: program czytający rysunek przekroczył limit czasu i został zatrzymany.</source>
        <translation>Could not read the drawing %1: the drawing reader exceeded its time limit and was stopped.</translation>
    </message>
    <message>
        <source>Nie udało się odczytać rysunku %1: program czytający rysunek przysłał zbyt długą odpowiedź.</source>
        <translation>Could not read the drawing %1: the drawing reader sent a reply that is too long.</translation>
    </message>
    <message>
        <source>Nie udało się odczytać rysunku %1: program czytający rysunek przekroczył limit czasu procesora.</source>
        <translation>Could not read the drawing %1: the drawing reader exceeded its processor time limit.</translation>
    </message>
    <message>
        <source>Nie udało się odczytać rysunku %1: program czytający rysunek zakończył się awarią (sygnał %2).</source>
        <translation>Could not read the drawing %1: the drawing reader crashed (signal %2).</translation>
    </message>
    <message>
        <source>Nie udało się odczytać rysunku %1: program czytający rysunek przekroczył limit pamięci.</source>
        <translation>Could not read the drawing %1: the drawing reader exceeded its memory limit.</translation>
    </message>
    <message>
        <source>Nie udało się odczytać rysunku %1: program czytający rysunek zakończył się błędem (kod %2).</source>
        <translation>Could not read the drawing %1: the drawing reader ended with an error (code %2).</translation>
    </message>
    <message>
        <source>Nie udało się odczytać rysunku %1: program czytający rysunek przysłał błędną odpowiedź.</source>
        <translation>Could not read the drawing %1: the drawing reader sent a malformed reply.</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku %1.</source>
        <translation>Cannot open the file %1.</translation>
    </message>
</context>
<context>
    <name>DrawingImport</name>
    <message>
        <source>i %1 innych</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>%1: przerwa %2</source>
        <translation>%1: gap %2</translation>
    </message>
    <message>
        <source>Zwiększ odległość łączenia do %1 (teraz %2), a końce się połączą.</source>
        <translation>Increase the join distance to %1 (now %2) and the ends will join.</translation>
    </message>
    <message>
        <source>zewnętrzny</source>
        <translation>outer</translation>
    </message>
    <message>
        <source>otwór</source>
        <translation>hole</translation>
    </message>
    <message>
        <source>obszar</source>
        <translation>region</translation>
    </message>
    <message>
        <source>otwarty</source>
        <translation>open</translation>
    </message>
    <message>
        <source>materiał %1 „%2”</source>
        <translation>material %1 “%2”</translation>
    </message>
    <message>
        <source>materiał projektu</source>
        <translation>project material</translation>
    </message>
    <message>
        <source>Na wybranych warstwach nie ma nic do zaimportowania.</source>
        <translation>There is nothing to import on the chosen layers.</translation>
    </message>
    <message>
        <source>Po przeskalowaniu rysunek wychodzi poza zakres współrzędnych modelu.</source>
        <translation>Once scaled, the drawing goes beyond the range of the model’s coordinates.</translation>
    </message>
    <message>
        <source>Rysunek nie obejmuje żadnego zamkniętego obszaru, więc nie ma czego zaimportować.</source>
        <translation>The drawing encloses no closed region, so there is nothing to import.</translation>
    </message>
    <message>
        <source>Kontury się nie zamykają; luźne końce (%1):</source>
        <translation>The contours do not close; loose ends (%1):</translation>
    </message>
    <message>
        <source>Zniknęły kontury mniejsze niż odległość łączenia: %1 (największy %2); zmniejsz ją, by je zachować.</source>
        <translation>Contours smaller than the join distance vanished: %1 (the largest %2); reduce it to keep them.</translation>
    </message>
    <message>
        <source>kontur %1 (elementy %2–%3)</source>
        <translation>contour %1 (elements %2–%3)</translation>
    </message>
    <message>
        <source>%1: węzeł wewnętrzny %2 w punkcie (%3; %4)</source>
        <translation>%1: internal node %2 at (%3; %4)</translation>
    </message>
    <message>
        <source>%1: punkt obszaru %2 (%3) w punkcie %4</source>
        <translation>%1: region point %2 (%3) at %4</translation>
    </message>
    <message>
        <source>%1, %2: %3 z %4 elementów</source>
        <translation>%1, %2: %3 of %4 elements</translation>
    </message>
    <message>
        <source>Zaimportowano %1 węzłów i %2 elementów (węzły %3–%4).</source>
        <translation>Imported %1 nodes and %2 elements (nodes %3–%4).</translation>
    </message>
    <message>
        <source>Kontury zamknięte: %1 (zewnętrzne %2, otwory %3, obszary %4), łańcuchy otwarte: %5.</source>
        <translation>Closed contours: %1 (outer %2, holes %3, regions %4), open chains: %5.</translation>
    </message>
    <message>
        <source>Otwory:</source>
        <translation>Holes:</translation>
    </message>
    <message>
        <source>Otworów nie znaleziono.</source>
        <translation>No holes found.</translation>
    </message>
    <message>
        <source>Dodano %1:</source>
        <translation>Added %1:</translation>
    </message>
    <message>
        <source>punkt obszaru</source>
        <translation>region point</translation>
    </message>
    <message>
        <source>punkty obszarów</source>
        <translation>region points</translation>
    </message>
    <message>
        <source>punktów obszarów</source>
        <translation>region points</translation>
    </message>
    <message>
        <source>Kierunku żadnego elementu nie odwrócono.</source>
        <translation>No element’s direction was reversed.</translation>
    </message>
    <message>
        <source>Odwrócono kierunek elementów (zewnętrzne przeciwnie do ruchu wskazówek zegara, otwory zgodnie z nim):</source>
        <translation>Reversed the direction of elements (outer ones counter-clockwise, holes clockwise):</translation>
    </message>
    <message>
        <source>Odcinki narysowane dwa razy, wzięte raz: %1.</source>
        <translation>Segments drawn twice, taken once: %1.</translation>
    </message>
    <message>
        <source>%1: szerokość %2</source>
        <translation>%1: width %2</translation>
    </message>
    <message>
        <source>Połączono przerwy między końcami (%1):</source>
        <translation>Joined gaps between ends (%1):</translation>
    </message>
    <message>
        <source>Luźne końce, w których kontury się nie zamykają (%1):</source>
        <translation>Loose ends where the contours do not close (%1):</translation>
    </message>
    <message>
        <source>kontury mniejsze niż odległość łączenia %1 (największy %2)</source>
        <translation>contours smaller than the join distance %1 (the largest %2)</translation>
    </message>
    <message>
        <source>Pominięto: %1.</source>
        <translation>Skipped: %1.</translation>
    </message>
    <message>
        <source>węzłów</source>
        <translation>nodes</translation>
    </message>
    <message>
        <source>elementów</source>
        <translation>elements</translation>
    </message>
    <message>
        <source>węzłów wewnętrznych</source>
        <translation>internal nodes</translation>
    </message>
    <message>
        <source>brzegów</source>
        <translation>boundaries</translation>
    </message>
    <message>
        <source>%1 %2 (%3 w modelu + %4 z rysunku; najwięcej %5)</source>
        <translation>%1 %2 (%3 in the model + %4 from the drawing; at most %5)</translation>
    </message>
    <message>
        <source>Rysunek nie mieści się w modelu: %1.</source>
        <translation>The drawing does not fit in the model: %1.</translation>
    </message>
    <message>
        <source>Zwiększ tolerancję (albo zmniejsz liczbę elementów na okrąg) lub pomiń część warstw.</source>
        <translation>Increase the tolerance (or reduce the number of elements per circle) or skip some of the layers.</translation>
    </message>
    <message>
        <source>Wybierz „otwór” zamiast materiału dla części warstw lub pomiń część z nich.</source>
        <translation>Choose “hole” instead of a material for some of the layers or skip some of them.</translation>
    </message>
</context>
<context>
    <name>DxfImportDialog</name>
    <message>
        <source>kontur %1</source>
        <translation>contour %1</translation>
    </message>
    <message>
        <source>Importuj DXF</source>
        <translation>Import DXF</translation>
    </message>
    <message>
        <source>Na &amp;metry</source>
        <translation>To &amp;metres</translation>
    </message>
    <message>
        <source>Warstwa (obiekty)</source>
        <translation>Layer (entities)</translation>
    </message>
    <message>
        <source>Warunek</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>Brzeg</source>
        <translation>Boundary</translation>
    </message>
    <message>
        <source>Materiał</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>&amp;Tolerancja cięciw (jednostki rysunku)</source>
        <translation>Chord &amp;tolerance (drawing units)</translation>
    </message>
    <message>
        <source>&amp;Elementów na pełny okrąg</source>
        <translation>&amp;Elements per full circle</translation>
    </message>
    <message>
        <source>Skala (jednostki modelu na jednostkę rysunku)</source>
        <translation>Scale (model units per drawing unit)</translation>
    </message>
    <message>
        <source>Odległość łą&amp;czenia końców (jednostki rysunku)</source>
        <translation>&amp;Join distance of ends (drawing units)</translation>
    </message>
    <message>
        <source>Otwory dostają brzeg wewnętrzny, kontury zewnętrzne zewnętrzny: warstwy, jeśli jest tego rodzaju,
inaczej pierwszy taki z tabeli albo nowy. Kontury warstwy z materiałem są jego obszarami, każdy
z punktem obszaru. Zaznaczony kontur zagnieżdżony jest obszarem, nie otworem:</source>
        <translation>Holes get an inner boundary, outer contours an outer one: the layer’s, if it is of that kind,
otherwise the first such in the table or a new one. Contours of a layer with a material are its regions, each
with a region point. A checked nested contour is a region, not a hole:</translation>
    </message>
    <message>
        <source>Rysunek %1: %2 × %3, od (%4; %5) do (%6; %7)</source>
        <translation>Drawing %1: %2 × %3, from (%4; %5) to (%6; %7)</translation>
    </message>
    <message>
        <source>Jednostki rysunku ($INSUNITS = %1): nieokreślone</source>
        <translation>Drawing units ($INSUNITS = %1): not given</translation>
    </message>
    <message>
        <source>Jednostki rysunku ($INSUNITS = %1): %2, jednostka = %3 m</source>
        <translation>Drawing units ($INSUNITS = %1): %2, unit = %3 m</translation>
    </message>
    <message>
        <source>otwór</source>
        <translation>hole</translation>
    </message>
    <message>
        <source>materiał projektu</source>
        <translation>project material</translation>
    </message>
    <message>
        <source>Zła wartość: liczby pokażą się po jej poprawieniu.</source>
        <translation>Wrong value: the counts will show once it is corrected.</translation>
    </message>
    <message>
        <source>%1 (warstwa %2) w konturze %3: obszar, nie otwór</source>
        <translation>%1 (layer %2) in contour %3: region, not hole</translation>
    </message>
    <message>
        <source>%1 (materiał warstwy)</source>
        <translation>%1 (the layer’s material)</translation>
    </message>
    <message>
        <source>%1: %2 + %3 = %4 z %5 – za dużo</source>
        <translation>%1: %2 + %3 = %4 of %5 – too many</translation>
    </message>
    <message>
        <source>%1: %2 + %3 = %4 z %5</source>
        <translation>%1: %2 + %3 = %4 of %5</translation>
    </message>
    <message>
        <source>Węzły</source>
        <translation>Nodes</translation>
    </message>
    <message>
        <source>Elementy</source>
        <translation>Elements</translation>
    </message>
    <message>
        <source>Węzły wewnętrzne (otwory)</source>
        <translation>Internal nodes (holes)</translation>
    </message>
    <message>
        <source>Brzegi</source>
        <translation>Boundaries</translation>
    </message>
    <message>
        <source>Punkty obszarów</source>
        <translation>Region points</translation>
    </message>
    <message>
        <source>skala</source>
        <translation>scale</translation>
    </message>
    <message>
        <source>tolerancja cięciw</source>
        <translation>chord tolerance</translation>
    </message>
    <message>
        <source>odległość łączenia końców</source>
        <translation>join distance of ends</translation>
    </message>
    <message>
        <source>liczba elementów na okrąg (od 3 do 100000)</source>
        <translation>number of elements per circle (3 to 100000)</translation>
    </message>
    <message>
        <source>Zła wartość: %1</source>
        <translation>Wrong value: %1</translation>
    </message>
</context>
<context>
    <name>EditDialogs</name>
    <message>
        <source>Współrzędne węzła</source>
        <translation>Node coordinates</translation>
    </message>
    <message>
        <source>Numer węzła</source>
        <translation>Node number</translation>
    </message>
    <message>
        <source>Współrzędna x</source>
        <translation>X coordinate</translation>
    </message>
    <message>
        <source>Współrzędna y</source>
        <translation>Y coordinate</translation>
    </message>
    <message>
        <source>Złe dane</source>
        <translation>Invalid data</translation>
    </message>
    <message>
        <source>Warunek brzegowy</source>
        <translation>Boundary condition</translation>
    </message>
    <message>
        <source>Zła wartość współrzędnej</source>
        <translation>Invalid coordinate value</translation>
    </message>
    <message>
        <source>Podaj numer</source>
        <translation>Enter a number</translation>
    </message>
    <message>
        <source>Numer elementu</source>
        <translation>Element number</translation>
    </message>
    <message>
        <source>Nr węz. wewnętrznego</source>
        <translation>Internal node no.</translation>
    </message>
</context>
<context>
    <name>EllipseDialog</name>
    <message>
        <source>Parametry elipsy</source>
        <translation>Ellipse parameters</translation>
    </message>
    <message>
        <source>Współrzędne środka elipsy</source>
        <translation>Coordinates of the ellipse centre</translation>
    </message>
    <message>
        <source>Promień x</source>
        <translation>Radius x</translation>
    </message>
    <message>
        <source>Promień y</source>
        <translation>Radius y</translation>
    </message>
    <message>
        <source>Liczba elementów</source>
        <translation>Number of elements</translation>
    </message>
</context>
<context>
    <name>ExportFile</name>
    <message>
        <source>Siatka miałaby co najmniej %1, a ten format przyjmuje najwyżej %2 trójkątów i %3 węzłów.</source>
        <translation>The mesh would have at least %1, and this format takes at most %2 triangles and %3 nodes.</translation>
    </message>
    <message>
        <source>Siatka ma %1 i %2, a ten format przyjmuje najwyżej %3 trójkątów i %4 węzłów.</source>
        <translation>The mesh has %1 and %2, and this format takes at most %3 triangles and %4 nodes.</translation>
    </message>
</context>
<context>
    <name>Factorisation</name>
    <message>
        <source>Nie można wczytać modułu rozwiązującego %1: %2. Zainstaluj program ponownie.</source>
        <translation>Cannot load the solver module %1: %2. Install the program again.</translation>
    </message>
    <message>
        <source>nie ma takiego pliku</source>
        <translation>there is no such file</translation>
    </message>
    <message>
        <source>nieznany błąd</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>to nie jest moduł tego programu</source>
        <translation>it is not this program&apos;s module</translation>
    </message>
    <message>
        <source>moduł pochodzi z innej wersji programu</source>
        <translation>the module comes from another version of the program</translation>
    </message>
</context>
<context>
    <name>FieldValues</name>
    <message>
        <source>błąd</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Odkształcenie ×%1</source>
        <translation>Deformation ×%1</translation>
    </message>
    <message>
        <source>poza siatką</source>
        <translation>outside the mesh</translation>
    </message>
    <message>
        <source>Nr węzła, x, y, ux [m], uy [m]; wygładzone σx, σy, τxy, σ_red [Pa]</source>
        <translation>Node no., x, y, ux [m], uy [m]; smoothed σx, σy, τxy, σ_red [Pa]</translation>
    </message>
    <message>
        <source>Nr węzła, x, y, %1; wygładzone qx, qy%2</source>
        <translation>Node no., x, y, %1; smoothed qx, qy%2</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Błąd operacji dyskowej</source>
        <translation>Disk operation error</translation>
    </message>
    <message>
        <source>Pliki Vendrela Korbel (*.vdk)</source>
        <translation>Vendrel Korbel files (*.vdk)</translation>
    </message>
    <message>
        <source>Wszystkie pliki (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Tworząc nowy projekt utracisz wszystkie dane...</source>
        <translation>Creating a new project you will lose all data...</translation>
    </message>
    <message>
        <source>Nowy projekt</source>
        <translation>New project</translation>
    </message>
    <message>
        <source>nowy projekt</source>
        <translation>new project</translation>
    </message>
    <message>
        <source>Czy chcesz utracić aktualne dane ?</source>
        <translation>Do you want to lose the current data?</translation>
    </message>
    <message>
        <source>Otwórz plik</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>otwarcie pliku</source>
        <translation>opening a file</translation>
    </message>
    <message>
        <source>Otwarcie pliku</source>
        <translation>Opening a file</translation>
    </message>
    <message>
        <source>Odczyt z pliku</source>
        <translation>Reading from file</translation>
    </message>
    <message>
        <source>Odczytano dane z pliku %1</source>
        <translation>Data read from file %1</translation>
    </message>
    <message>
        <source>Ilość węzłów równa 0</source>
        <translation>The number of nodes is 0</translation>
    </message>
    <message>
        <source>Błąd zapisu</source>
        <translation>Write error</translation>
    </message>
    <message>
        <source>Zapis pliku</source>
        <translation>Saving a file</translation>
    </message>
    <message>
        <source>Zapisano dane do pliku %1</source>
        <translation>Data saved to file %1</translation>
    </message>
    <message>
        <source>Zapis do pliku</source>
        <translation>Saving to file</translation>
    </message>
    <message>
        <source>Eksport do...</source>
        <translation>Export to...</translation>
    </message>
    <message>
        <source>%1 Taką siatkę zapisuje &quot;Plik &gt; Eksportuj do formatu otwartego...&quot;.</source>
        <translation>%1 Such a mesh is written by &quot;File &gt; Export to open format...&quot;.</translation>
    </message>
    <message>
        <source>Eksport siatki</source>
        <translation>Mesh export</translation>
    </message>
    <message>
        <source>Pliki DEV2O Korbela (*.m2d)</source>
        <translation>Korbel DEV2O files (*.m2d)</translation>
    </message>
    <message>
        <source>Pliki ULMEX (*.ulx)</source>
        <translation>ULMEX files (*.ulx)</translation>
    </message>
    <message>
        <source>Pliki Korbela nieliniowa  (*.n2d)</source>
        <translation>Korbel nonlinear files  (*.n2d)</translation>
    </message>
    <message>
        <source>Plik wyeksportowano poprawnie</source>
        <translation>The file was exported successfully</translation>
    </message>
    <message>
        <source>Eksport do MES 2D KORBELA NIELINIOWA</source>
        <translation>Export to KORBEL NONLINEAR 2D FEM</translation>
    </message>
    <message>
        <source>Eksport do MES 2D KORBELA</source>
        <translation>Export to KORBEL 2D FEM</translation>
    </message>
    <message>
        <source>Eksport siatki do formatu otwartego</source>
        <translation>Mesh export to an open format</translation>
    </message>
    <message>
        <source>
Z rozwiązaniem zadania.</source>
        <translation>
With the solution of the problem.</translation>
    </message>
    <message>
        <source>Eksport do %1</source>
        <translation>Export to %1</translation>
    </message>
    <message>
        <source>Zakończyć działanie programu ?</source>
        <translation>Quit the program?</translation>
    </message>
    <message>
        <source>Zakończenie pracy programu</source>
        <translation>Quitting the program</translation>
    </message>
    <message>
        <source>Znaleziono niezapisany projekt %1 z %2. Przywrócić go?</source>
        <translation>An unsaved project %1 from %2 was found. Restore it?</translation>
    </message>
    <message>
        <source>bez nazwy</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>Przywrócenie projektu</source>
        <translation>Project restore</translation>
    </message>
    <message>
        <source>przywrócenie projektu</source>
        <translation>restoring the project</translation>
    </message>
</context>
<context>
    <name>FormDialog</name>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>GenerationReport</name>
    <message>
        <source>Pole trójkąta %1 jest za małe: program generujący siatkę dostaje pole zaokrąglone do sześciu miejsc po przecinku, a to byłoby równe 0.</source>
        <translation>The triangle area %1 is too small: the mesh generator gets the area rounded to six decimal places, and that would be 0.</translation>
    </message>
    <message>
        <source>Generacja siatki powiodła się</source>
        <translation>Mesh generation succeeded</translation>
    </message>
    <message>
        <source>Zbyt duża liczba elementów lub węzłów</source>
        <translation>Too many elements or nodes</translation>
    </message>
    <message>
        <source>Generacja siatki nie powiodła się</source>
        <translation>Mesh generation failed</translation>
    </message>
</context>
<context>
    <name>HeldPieces</name>
    <message>
        <source>Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu z elementów %3, jest podparta tylko tak, że może się obracać wokół punktu %4.</source>
        <translation>The disc is not held against rigid-body motion: its part of the region between %1 and %2, bounded by elements %3, is supported only so that it can rotate about the point %4.</translation>
    </message>
    <message>
        <source>Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu z elementów %3, ma ustalone tylko przemieszczenie ux, więc może się przesuwać w kierunku y.</source>
        <translation>The disc is not held against rigid-body motion: its part of the region between %1 and %2, bounded by elements %3, has only its displacement ux held, so it can move in the y direction.</translation>
    </message>
    <message>
        <source>Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu z elementów %3, ma ustalone tylko przemieszczenie ux, więc może się przesuwać w kierunku y i obracać.</source>
        <translation>The disc is not held against rigid-body motion: its part of the region between %1 and %2, bounded by elements %3, has only its displacement ux held, so it can move in the y direction and rotate.</translation>
    </message>
    <message>
        <source>Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu z elementów %3, ma ustalone tylko przemieszczenie uy, więc może się przesuwać w kierunku x.</source>
        <translation>The disc is not held against rigid-body motion: its part of the region between %1 and %2, bounded by elements %3, has only its displacement uy held, so it can move in the x direction.</translation>
    </message>
    <message>
        <source>Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu z elementów %3, ma ustalone tylko przemieszczenie uy, więc może się przesuwać w kierunku x i obracać.</source>
        <translation>The disc is not held against rigid-body motion: its part of the region between %1 and %2, bounded by elements %3, has only its displacement uy held, so it can move in the x direction and rotate.</translation>
    </message>
    <message>
        <source>Podeprzyj ją (podpora przesuwna, rodzaj 3) albo utwierdź (rodzaj 2) tak, by nie mogła się ani przesuwać, ani obracać.</source>
        <translation>Support it (roller support, kind 3) or fix it (kind 2) so that it can neither move nor rotate.</translation>
    </message>
    <message>
        <source>Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu z elementów %3, jest utwierdzona tylko w punkcie %4 i może się wokół niego obracać.</source>
        <translation>The disc is not held against rigid-body motion: its part of the region between %1 and %2, bounded by elements %3, is fixed only at the point %4 and can rotate about it.</translation>
    </message>
    <message>
        <source>Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu z elementów %3, nie jest utwierdzona i może się swobodnie przesuwać i obracać.</source>
        <translation>The disc is not held against rigid-body motion: its part of the region between %1 and %2, bounded by elements %3, is not fixed and can move and rotate freely.</translation>
    </message>
    <message>
        <source>Utwierdź ją (rodzaj 2) na odcinku, nie w jednym punkcie.</source>
        <translation>Fix it (kind 2) along a segment, not at a single point.</translation>
    </message>
    <message>
        <source>Zadanie nie ma rozwiązania jednoznacznego: część obszaru między %1 a %2, o brzegu z elementów %3, nie ma warunku, który ustala w niej wartość.</source>
        <translation>The problem has no unique solution: the part of the region between %1 and %2, bounded by elements %3, has no condition that sets the value in it.</translation>
    </message>
    <message>
        <source>Nadaj któremuś z tych elementów warunek wartości (rodzaj 1) albo konwekcji z α &gt; 0 (rodzaj 3); konwekcja z α = 0 nie ustala wartości.</source>
        <translation>Give one of these elements a value condition (kind 1) or convection with α &gt; 0 (kind 3); convection with α = 0 does not set the value.</translation>
    </message>
    <message>
        <source>Nadaj któremuś z tych elementów warunek wartości (rodzaj 1) albo konwekcji z α &gt; 0 (rodzaj 3).</source>
        <translation>Give one of these elements a value condition (kind 1) or convection with α &gt; 0 (kind 3).</translation>
    </message>
</context>
<context>
    <name>HelpCommands</name>
    <message>
        <source>Vendrel korbel v1.0
© 2026 zespół Vendrel Korbel</source>
        <translation>Vendrel korbel v1.0
© 2026 the Vendrel Korbel team</translation>
    </message>
    <message>
        <source>O programie...</source>
        <translation>About...</translation>
    </message>
</context>
<context>
    <name>ImportCommands</name>
    <message>
        <source>Importuj DXF</source>
        <translation>Import DXF</translation>
    </message>
    <message>
        <source>Rysunki DXF (*.dxf)</source>
        <translation>DXF drawings (*.dxf)</translation>
    </message>
    <message>
        <source>Wszystkie pliki (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Trwa odczyt rysunku…</source>
        <translation>Reading the drawing…</translation>
    </message>
    <message>
        <source>Nie zaimportowano rysunku %1:
%2</source>
        <translation>The drawing %1 was not imported:
%2</translation>
    </message>
    <message>
        <source>import rysunku DXF</source>
        <translation>DXF drawing import</translation>
    </message>
</context>
<context>
    <name>Integrals</name>
    <message>
        <source>Długość</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Siła Fx</source>
        <translation>Force Fx</translation>
    </message>
    <message>
        <source>Siła Fy</source>
        <translation>Force Fy</translation>
    </message>
    <message>
        <source>Moment M</source>
        <translation>Moment M</translation>
    </message>
    <message>
        <source>Średnie |u|</source>
        <translation>Mean |u|</translation>
    </message>
    <message>
        <source>Średnie ux</source>
        <translation>Mean ux</translation>
    </message>
    <message>
        <source>Średnie uy</source>
        <translation>Mean uy</translation>
    </message>
    <message>
        <source>Przepływ do obszaru %1</source>
        <translation>Flow into the region %1</translation>
    </message>
    <message>
        <source>Średnia %1</source>
        <translation>Mean %1</translation>
    </message>
    <message>
        <source>Pole</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Całka %1 dA</source>
        <translation>Integral of %1 dA</translation>
    </message>
    <message>
        <source>Najmniejsza %1</source>
        <translation>Smallest %1</translation>
    </message>
    <message>
        <source>Największa %1</source>
        <translation>Largest %1</translation>
    </message>
    <message>
        <source>Energia sprężysta</source>
        <translation>Strain energy</translation>
    </message>
    <message>
        <source>Przepływ przez odcinek %1</source>
        <translation>Flow through the segment %1</translation>
    </message>
</context>
<context>
    <name>IntegralsDialog</name>
    <message>
        <source>Materiał własny modelu</source>
        <translation>Model&apos;s own material</translation>
    </message>
    <message>
        <source>Materiał %1</source>
        <translation>Material %1</translation>
    </message>
    <message>
        <source>Materiał %1 (%2)</source>
        <translation>Material %1 (%2)</translation>
    </message>
    <message>
        <source>Całki</source>
        <translation>Integrals</translation>
    </message>
    <message>
        <source>Całkuj po:</source>
        <translation>Integrate over:</translation>
    </message>
    <message>
        <source>Pole:</source>
        <translation>Field:</translation>
    </message>
    <message>
        <source>Moment względem x:</source>
        <translation>Moment about x:</translation>
    </message>
    <message>
        <source>Zaznaczone elementy: %1</source>
        <translation>Selected elements: %1</translation>
    </message>
    <message>
        <source>Warunek %1</source>
        <translation>Condition %1</translation>
    </message>
    <message>
        <source>Cały obszar</source>
        <translation>Whole region</translation>
    </message>
    <message>
        <source>Współrzędne punktu, względem którego liczy się moment, muszą być liczbami.</source>
        <translation>The coordinates of the point the moment is taken about must be numbers.</translation>
    </message>
    <message>
        <source> względem (%1; %2)</source>
        <translation> about (%1; %2)</translation>
    </message>
</context>
<context>
    <name>InternalNodeCommands</name>
    <message>
        <source>dodanie węzła wewnętrznego %1</source>
        <translation>adding internal node %1</translation>
    </message>
    <message>
        <source>zmiana węzła wewnętrznego %1</source>
        <translation>changing internal node %1</translation>
    </message>
    <message>
        <source>usunięcie węzła wewnętrznego %1</source>
        <translation>removing internal node %1</translation>
    </message>
    <message>
        <source>Usunąć wszystkie węzły wewnętrzne ?</source>
        <translation>Remove all internal nodes?</translation>
    </message>
    <message>
        <source>Usuwanie węzłów wewnętrznych</source>
        <translation>Removing internal nodes</translation>
    </message>
    <message>
        <source>usunięcie wszystkich węzłów wewnętrznych</source>
        <translation>removing all internal nodes</translation>
    </message>
    <message>
        <source>Dodanie węzła wewnętrznego</source>
        <translation>Adding an internal node</translation>
    </message>
    <message>
        <source>Dodać punkt wewnętrzny o współrzędnych %1,%2 ?</source>
        <translation>Add an internal point at coordinates %1,%2?</translation>
    </message>
    <message>
        <source>usunięcie węzłów wewnętrznych</source>
        <translation>removing internal nodes</translation>
    </message>
    <message>
        <source>Usunąć węzeł %1 ?</source>
        <translation>Remove node %1?</translation>
    </message>
    <message>
        <source>Usuwanie węzła</source>
        <translation>Removing a node</translation>
    </message>
    <message>
        <source>Nie wybrałeś żadnego węzła.</source>
        <translation>You have not chosen any node.</translation>
    </message>
    <message>
        <source>Usuwanie węzła wewnętrznego</source>
        <translation>Removing an internal node</translation>
    </message>
</context>
<context>
    <name>LinePlotWindow</name>
    <message>
        <source>Wykres wzdłuż odcinka</source>
        <translation>Plot along a segment</translation>
    </message>
    <message>
        <source>&amp;Wskaż na rysunku</source>
        <translation>&amp;Point on the drawing</translation>
    </message>
    <message>
        <source>Początek x1:</source>
        <translation>Start x1:</translation>
    </message>
    <message>
        <source>Początek y1:</source>
        <translation>Start y1:</translation>
    </message>
    <message>
        <source>Koniec x2:</source>
        <translation>End x2:</translation>
    </message>
    <message>
        <source>Koniec y2:</source>
        <translation>End y2:</translation>
    </message>
    <message>
        <source>Współrzędna końca odcinka musi być liczbą.</source>
        <translation>A coordinate of the segment&apos;s end must be a number.</translation>
    </message>
    <message>
        <source>Początek i koniec odcinka muszą być różne.</source>
        <translation>The start and the end of the segment must differ.</translation>
    </message>
    <message>
        <source>Pole:</source>
        <translation>Field:</translation>
    </message>
    <message>
        <source>Zapisz &amp;CSV...</source>
        <translation>Save &amp;CSV...</translation>
    </message>
    <message>
        <source>Zapisz &amp;obraz...</source>
        <translation>Save &amp;image...</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>Siła na odcinku: Fx = %1 N/m, Fy = %2 N/m</source>
        <translation>Force on the segment: Fx = %1 N/m, Fy = %2 N/m</translation>
    </message>
    <message>
        <source>Przepływ przez odcinek: %1%2</source>
        <translation>Flow through the segment: %1%2</translation>
    </message>
    <message>
        <source>Nie udało się zapisać pliku %1.</source>
        <translation>Could not save the file %1.</translation>
    </message>
    <message>
        <source>Zapisz CSV</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>Plik CSV (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>Zapisz obraz</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>Obraz SVG (*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>Nie udało się zapisać obrazu do pliku %1.</source>
        <translation>Could not save the image to the file %1.</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>Brak węzłów...</source>
        <translation>No nodes...</translation>
    </message>
    <message>
        <source>Lista węzłów</source>
        <translation>Node list</translation>
    </message>
    <message>
        <source>Brak elementów...</source>
        <translation>No elements...</translation>
    </message>
    <message>
        <source>Lista elementów</source>
        <translation>Element list</translation>
    </message>
    <message>
        <source>Lista wyników</source>
        <translation>Result list</translation>
    </message>
</context>
<context>
    <name>ListLines</name>
    <message>
        <source> (materiał %1)</source>
        <translation> (material %1)</translation>
    </message>
</context>
<context>
    <name>ListWindows</name>
    <message>
        <source>Nr węzła, współrzędna x, współrzędna y</source>
        <translation>Node no., x coordinate, y coordinate</translation>
    </message>
    <message>
        <source>Nr elementu, węzeł 1,2,3</source>
        <translation>Element no., node 1,2,3</translation>
    </message>
    <message>
        <source>Lista elementów</source>
        <translation>Element list</translation>
    </message>
    <message>
        <source>Lista wyników</source>
        <translation>Result list</translation>
    </message>
    <message>
        <source>Lista warunków brzegowych</source>
        <translation>Boundary condition list</translation>
    </message>
    <message>
        <source>Lista brzegów</source>
        <translation>Boundary list</translation>
    </message>
    <message>
        <source>Lista węzłów</source>
        <translation>Node list</translation>
    </message>
    <message>
        <source>Lista węzłów wewnętrznych</source>
        <translation>Internal node list</translation>
    </message>
    <message>
        <source>Nr elementu, węzeł 1, 2</source>
        <translation>Element no., node 1, 2</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>No.</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Preprocesor płaskich zadań MES / a pre-processor for plane finite-element problems</source>
        <translation>A pre-processor for plane finite-element problems</translation>
    </message>
    <message>
        <source>Język okna i komunikatów: pl (polski) albo en (angielski).</source>
        <translation>The language of the window and the messages: pl (Polish) or en (English).</translation>
    </message>
    <message>
        <source>projekt</source>
        <translation>project</translation>
    </message>
    <message>
        <source>Plik projektu (.vdk) do otwarcia</source>
        <translation>The project file (.vdk) to open</translation>
    </message>
    <message>
        <source>[projekt.vdk]</source>
        <translation>[project.vdk]</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Warunek:</source>
        <translation>Condition:</translation>
    </message>
    <message>
        <source>Warunek brzegowy nowych elementów</source>
        <translation>Boundary condition of new elements</translation>
    </message>
    <message>
        <source>Brzeg:</source>
        <translation>Boundary:</translation>
    </message>
    <message>
        <source>Brzeg nowych elementów</source>
        <translation>Boundary of new elements</translation>
    </message>
    <message>
        <source>Limit siatki (Generacja siatki &gt; Limit siatki...)</source>
        <translation>Mesh limit (Mesh generation &gt; Mesh limit...)</translation>
    </message>
    <message>
        <source>Przesuń zawartość ekranu</source>
        <translation>Move the screen contents</translation>
    </message>
    <message>
        <source>Nowy projekt</source>
        <translation>New project</translation>
    </message>
    <message>
        <source>Otwórz plik</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Zapisz plik</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Linia łamana</source>
        <translation>Polyline</translation>
    </message>
    <message>
        <source>Okrąg</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Wybór elementów</source>
        <translation>Select elements</translation>
    </message>
    <message>
        <source>Powiększenie fragmentu ekranu</source>
        <translation>Zoom in on part of the screen</translation>
    </message>
    <message>
        <source>Pomniejszenie fragmentu ekranu</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Oblicz</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>Lista wyników</source>
        <translation>Result list</translation>
    </message>
</context>
<context>
    <name>MainWindowMenus</name>
    <message>
        <source>&amp;Plik</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nowy</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Otwórz</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Importuj DXF...</source>
        <translation>&amp;Import DXF...</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Zapisz &amp;jako</source>
        <translation>Save &amp;as</translation>
    </message>
    <message>
        <source>&amp;Eksportuj do ...</source>
        <translation>&amp;Export to ...</translation>
    </message>
    <message>
        <source>Eksportuj do &amp;formatu otwartego...</source>
        <translation>Export to open &amp;format...</translation>
    </message>
    <message>
        <source>&amp;Koniec</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Edycja</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Cofnij</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Ponów</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>&amp;Dodaj</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>&amp;Linie łamaną</source>
        <translation>&amp;Polyline</translation>
    </message>
    <message>
        <source>&amp;Elipsę</source>
        <translation>&amp;Ellipse</translation>
    </message>
    <message>
        <source>&amp;Węzeł</source>
        <translation>&amp;Node</translation>
    </message>
    <message>
        <source>&amp;Element</source>
        <translation>E&amp;lement</translation>
    </message>
    <message>
        <source>Wę&amp;zeł wewnętrzny</source>
        <translation>&amp;Internal node</translation>
    </message>
    <message>
        <source>&amp;Punkt obszaru...</source>
        <translation>&amp;Region point...</translation>
    </message>
    <message>
        <source>&amp;Zmień</source>
        <translation>&amp;Change</translation>
    </message>
    <message>
        <source>Własności &amp;elementu</source>
        <translation>&amp;Element properties</translation>
    </message>
    <message>
        <source>Współrzędne &amp;węzła</source>
        <translation>&amp;Node coordinates</translation>
    </message>
    <message>
        <source>Współ. wę&amp;zła wewnętrznego</source>
        <translation>&amp;Internal node coordinates</translation>
    </message>
    <message>
        <source>&amp;Usuń</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Wszystkie węzły wew&amp;nętrzne</source>
        <translation>&amp;All internal nodes</translation>
    </message>
    <message>
        <source>Punkt o&amp;bszaru...</source>
        <translation>&amp;Region point...</translation>
    </message>
    <message>
        <source>&amp;Podwójne węzły</source>
        <translation>&amp;Duplicate nodes</translation>
    </message>
    <message>
        <source>&amp;Listy</source>
        <translation>&amp;Lists</translation>
    </message>
    <message>
        <source>&amp;Węzłów</source>
        <translation>&amp;Nodes</translation>
    </message>
    <message>
        <source>&amp;Elementów</source>
        <translation>&amp;Elements</translation>
    </message>
    <message>
        <source>Wę&amp;złów wewnętrznych</source>
        <translation>&amp;Internal nodes</translation>
    </message>
    <message>
        <source>Warunków &amp;brzegowych</source>
        <translation>Boundary &amp;conditions</translation>
    </message>
    <message>
        <source>B&amp;rzegów</source>
        <translation>&amp;Boundaries</translation>
    </message>
    <message>
        <source>&amp;Fizyka</source>
        <translation>&amp;Physics</translation>
    </message>
    <message>
        <source>&amp;Warunki brzegowe...</source>
        <translation>Boundary &amp;conditions...</translation>
    </message>
    <message>
        <source>&amp;Brzegi...</source>
        <translation>&amp;Boundaries...</translation>
    </message>
    <message>
        <source>&amp;Zadanie i własności...</source>
        <translation>&amp;Problem and properties...</translation>
    </message>
    <message>
        <source>&amp;Materiały...</source>
        <translation>&amp;Materials...</translation>
    </message>
    <message>
        <source>W&amp;ybierz elementy</source>
        <translation>&amp;Select elements</translation>
    </message>
    <message>
        <source>Wybierz elementy o &amp;numerach...</source>
        <translation>Select elements by &amp;number...</translation>
    </message>
    <message>
        <source>&amp;Odznacz elementy</source>
        <translation>&amp;Deselect elements</translation>
    </message>
    <message>
        <source>&amp;Przypisz warunek...</source>
        <translation>&amp;Assign condition...</translation>
    </message>
    <message>
        <source>Przypisz b&amp;rzeg...</source>
        <translation>Assign boundar&amp;y...</translation>
    </message>
    <message>
        <source>Bieżący w&amp;arunek...</source>
        <translation>Current condi&amp;tion...</translation>
    </message>
    <message>
        <source>Bieżący brz&amp;eg...</source>
        <translation>Current bounda&amp;ry...</translation>
    </message>
    <message>
        <source>&amp;Generacja siatki</source>
        <translation>&amp;Mesh generation</translation>
    </message>
    <message>
        <source>&amp;GENERUJ</source>
        <translation>&amp;GENERATE</translation>
    </message>
    <message>
        <source>Lista &amp;wyników</source>
        <translation>&amp;Result list</translation>
    </message>
    <message>
        <source>&amp;Sprawdź model</source>
        <translation>&amp;Check model</translation>
    </message>
    <message>
        <source>S&amp;tatystyka siatki</source>
        <translation>Mesh &amp;statistics</translation>
    </message>
    <message>
        <source>&amp;Limit siatki...</source>
        <translation>Mesh &amp;limit...</translation>
    </message>
    <message>
        <source>&amp;Rozwiązanie</source>
        <translation>&amp;Solution</translation>
    </message>
    <message>
        <source>&amp;Rozwiąż</source>
        <translation>&amp;Solve</translation>
    </message>
    <message>
        <source>Rozwiąż z &amp;dokładnością...</source>
        <translation>Solve to &amp;accuracy...</translation>
    </message>
    <message>
        <source>&amp;Wyniki...</source>
        <translation>&amp;Results...</translation>
    </message>
    <message>
        <source>&amp;Całki...</source>
        <translation>&amp;Integrals...</translation>
    </message>
    <message>
        <source>&amp;Mapa</source>
        <translation>&amp;Map</translation>
    </message>
    <message>
        <source>&amp;Pole...</source>
        <translation>&amp;Field...</translation>
    </message>
    <message>
        <source>&amp;Izolinie</source>
        <translation>Is&amp;olines</translation>
    </message>
    <message>
        <source>&amp;Odkształcenie</source>
        <translation>&amp;Deformation</translation>
    </message>
    <message>
        <source>&amp;Lista wartości</source>
        <translation>&amp;Value list</translation>
    </message>
    <message>
        <source>Wy&amp;kres wzdłuż odcinka...</source>
        <translation>&amp;Plot along a segment...</translation>
    </message>
    <message>
        <source>&amp;Zapisz obraz...</source>
        <translation>Save ima&amp;ge...</translation>
    </message>
    <message>
        <source>&amp;Widok</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Ustawienia &amp;ekranu</source>
        <translation>&amp;Screen settings</translation>
    </message>
    <message>
        <source>&amp;Siatka</source>
        <translation>&amp;Grid</translation>
    </message>
    <message>
        <source>&amp;Obszar</source>
        <translation>&amp;Region</translation>
    </message>
    <message>
        <source>&amp;Pokaż wszystko</source>
        <translation>Show &amp;all</translation>
    </message>
    <message>
        <source>Siatka &amp;MES</source>
        <translation>FE &amp;mesh</translation>
    </message>
    <message>
        <source>Kolory &amp;warunków</source>
        <translation>&amp;Condition colours</translation>
    </message>
    <message>
        <source>Kolory m&amp;ateriałów</source>
        <translation>Ma&amp;terial colours</translation>
    </message>
    <message>
        <source>&amp;Pomoc</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;O programie...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Wstaw wę&amp;zeł wewnętrzny</source>
        <translation>Insert &amp;internal node</translation>
    </message>
    <message>
        <source>Usuń wę&amp;zeł wewnętrzny</source>
        <translation>&amp;Remove internal node</translation>
    </message>
    <message>
        <source>Wstaw &amp;punkt obszaru</source>
        <translation>Insert region &amp;point</translation>
    </message>
    <message>
        <source>Usuń p&amp;unkt obszaru</source>
        <translation>Remove region poi&amp;nt</translation>
    </message>
    <message>
        <source>Koniec lini łamanej</source>
        <translation>End polyline</translation>
    </message>
    <message>
        <source>Zamknij linie łamaną</source>
        <translation>Close polyline</translation>
    </message>
    <message>
        <source>Usuń ostatni element</source>
        <translation>Remove last element</translation>
    </message>
    <message>
        <source>&amp;Cofnij: %1</source>
        <translation>&amp;Undo: %1</translation>
    </message>
    <message>
        <source>&amp;Ponów: %1</source>
        <translation>&amp;Redo: %1</translation>
    </message>
</context>
<context>
    <name>MaterialDialogs</name>
    <message>
        <source>Podaj nazwę materiału.</source>
        <translation>Enter the material&apos;s name.</translation>
    </message>
    <message>
        <source>Nazwa materiału jest za długa (najwyżej %1 bajtów).</source>
        <translation>The material&apos;s name is too long (at most %1 bytes).</translation>
    </message>
    <message>
        <source>Materiały</source>
        <translation>Materials</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>nr %1, %2: %3; %4</source>
        <translation>no. %1, %2: %3; %4</translation>
    </message>
    <message>
        <source>Zła wartość własności.</source>
        <translation>Invalid property value.</translation>
    </message>
    <message>
        <source>%1 musi być liczbą dodatnią.</source>
        <translation>%1 must be a positive number.</translation>
    </message>
    <message>
        <source>Materiał %1: %2</source>
        <translation>Material %1: %2</translation>
    </message>
    <message>
        <source>Punkt obszaru</source>
        <translation>Region point</translation>
    </message>
    <message>
        <source>Numer punktu</source>
        <translation>Point number</translation>
    </message>
    <message>
        <source>współrzędna X</source>
        <translation>X coordinate</translation>
    </message>
    <message>
        <source>współrzędna Y</source>
        <translation>Y coordinate</translation>
    </message>
    <message>
        <source>Materiał</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Największe pole trójkąta (puste: bez)</source>
        <translation>Largest triangle area (empty: none)</translation>
    </message>
    <message>
        <source>0: materiał projektu</source>
        <translation>0: the project&apos;s material</translation>
    </message>
    <message>
        <source>Nie ma punktu obszaru o tym numerze.</source>
        <translation>There is no region point with this number.</translation>
    </message>
    <message>
        <source>Zła współrzędna.</source>
        <translation>Invalid coordinate.</translation>
    </message>
    <message>
        <source>Największe pole trójkąta musi być liczbą większą od zera albo puste.</source>
        <translation>The largest triangle area must be a number greater than zero or empty.</translation>
    </message>
</context>
<context>
    <name>MeshCommands</name>
    <message>
        <source>Generacja siatki</source>
        <translation>Mesh generation</translation>
    </message>
    <message>
        <source>
… i %1 innych.</source>
        <translation>
… and %1 more.</translation>
    </message>
    <message>
        <source>Statystyka siatki</source>
        <translation>Mesh statistics</translation>
    </message>
    <message>
        <source>Podaj maksymalne pole trójkąta :
(%1)</source>
        <translation>Enter the largest triangle area:
(%1)</translation>
    </message>
    <message>
        <source>Podaj maksymalne pole trójkąta :</source>
        <translation>Enter the largest triangle area:</translation>
    </message>
    <message>
        <source>generacja siatki</source>
        <translation>mesh generation</translation>
    </message>
    <message>
        <source>Trwa generacja siatki…</source>
        <translation>Generating the mesh…</translation>
    </message>
    <message>
        <source>
Zwiększ pole trójkąta (na przykład do %1) albo limit siatki.</source>
        <translation>
Increase the triangle area (for example to %1) or the mesh limit.</translation>
    </message>
    <message>
        <source>
Zwiększ pole trójkąta albo limit siatki.</source>
        <translation>
Increase the triangle area or the mesh limit.</translation>
    </message>
    <message>
        <source>Sprawdzenie modelu nie znalazło znanej sobie przyczyny.</source>
        <translation>The model check found no cause it knows of.</translation>
    </message>
    <message>
        <source>Możliwe przyczyny:</source>
        <translation>Possible causes:</translation>
    </message>
    <message>
        <source>Sprawdź model</source>
        <translation>Check model</translation>
    </message>
    <message>
        <source>Trwa sprawdzanie modelu…</source>
        <translation>Checking the model…</translation>
    </message>
    <message>
        <source>Uwagi (nie przeszkadzają w generacji siatki):</source>
        <translation>Notes (they do not hinder mesh generation):</translation>
    </message>
    <message>
        <source>Znalezione błędy:</source>
        <translation>Errors found:</translation>
    </message>
    <message>
        <source>Nie znaleziono błędów, które przeszkodziłyby w generacji siatki.

</source>
        <translation>No errors were found that would hinder mesh generation.

</translation>
    </message>
    <message>
        <source>Nie znaleziono błędów</source>
        <translation>No errors found</translation>
    </message>
</context>
<context>
    <name>MeshDialogs</name>
    <message>
        <source>Statystyka siatki</source>
        <translation>Mesh statistics</translation>
    </message>
    <message>
        <source>Najmniejszy kąt trójkątów (liczba trójkątów):</source>
        <translation>Smallest angle of the triangles (number of triangles):</translation>
    </message>
    <message>
        <source>Węzły: %1</source>
        <translation>Nodes: %1</translation>
    </message>
    <message>
        <source>Trójkąty: %1</source>
        <translation>Triangles: %1</translation>
    </message>
    <message>
        <source>Pole obszaru: %1</source>
        <translation>Region area: %1</translation>
    </message>
    <message>
        <source>Pole trójkąta: od %1 do %2</source>
        <translation>Triangle area: from %1 to %2</translation>
    </message>
    <message>
        <source>Kąt: od %1 do %2</source>
        <translation>Angle: from %1 to %2</translation>
    </message>
    <message>
        <source>Trójkąty materiału własnego modelu: %1</source>
        <translation>Triangles of the model&apos;s own material: %1</translation>
    </message>
    <message>
        <source>Trójkąty materiału %1 (%2): %3</source>
        <translation>Triangles of material %1 (%2): %3</translation>
    </message>
    <message>
        <source>Duże siatki: do %1 trójkątów</source>
        <translation>Large meshes: up to %1 triangles</translation>
    </message>
    <message>
        <source>Duże siatki ≤ %1</source>
        <translation>Large meshes ≤ %1</translation>
    </message>
    <message>
        <source>Limit siatki</source>
        <translation>Mesh limit</translation>
    </message>
    <message>
        <source>Limit podstawowy: 1 999 trójkątów i 999 węzłów</source>
        <translation>Basic limit: 1,999 triangles and 999 nodes</translation>
    </message>
    <message>
        <source>Duże siatki, do eksportu w formatach otwartych</source>
        <translation>Large meshes, for export in open formats</translation>
    </message>
    <message>
        <source>Najwięcej trójkątów:</source>
        <translation>Most triangles:</translation>
    </message>
    <message>
        <source>Eksport do .m2d, .ulx i .n2d przyjmuje tylko siatki w limicie podstawowym.</source>
        <translation>Export to .m2d, .ulx and .n2d accepts only meshes within the basic limit.</translation>
    </message>
    <message>
        <source>Podaj liczbę trójkątów od %1 do %2.</source>
        <translation>Enter a number of triangles from %1 to %2.</translation>
    </message>
</context>
<context>
    <name>MeshDriver</name>
    <message>
        <source>Siatka miałaby co najmniej %1, więcej niż limit %2.</source>
        <translation>The mesh would have at least %1, more than the limit of %2.</translation>
    </message>
    <message>
        <source>Siatka miałaby %1, więcej niż limit %2.</source>
        <translation>The mesh would have %1, more than the limit of %2.</translation>
    </message>
</context>
<context>
    <name>Model</name>
    <message>
        <source>Osiągnięto największą liczbę węzłów (299)</source>
        <translation>The largest number of nodes (299) has been reached</translation>
    </message>
    <message>
        <source>Osiągnięto największą liczbę elementów (499)</source>
        <translation>The largest number of elements (499) has been reached</translation>
    </message>
    <message>
        <source>Osiągnięto największą liczbę brzegów (19)</source>
        <translation>The largest number of boundaries (19) has been reached</translation>
    </message>
    <message>
        <source>Osiągnięto największą liczbę warunków brzegowych (99)</source>
        <translation>The largest number of boundary conditions (99) has been reached</translation>
    </message>
    <message>
        <source>Osiągnięto największą liczbę węzłów wewnętrznych (99)</source>
        <translation>The largest number of internal nodes (99) has been reached</translation>
    </message>
    <message>
        <source>Osiągnięto największą liczbę materiałów (99)</source>
        <translation>The largest number of materials (99) has been reached</translation>
    </message>
    <message>
        <source>Osiągnięto największą liczbę punktów obszarów (99)</source>
        <translation>The largest number of region points (99) has been reached</translation>
    </message>
</context>
<context>
    <name>ModelCheck</name>
    <message>
        <source>%1 trójkątach i %2 węzłach</source>
        <translation>%1 triangles and %2 nodes</translation>
    </message>
    <message>
        <source>limicie %1 trójkątów</source>
        <translation>the limit of %1 triangles</translation>
    </message>
    <message>
        <source>trójkątów: %1, węzłów: %2</source>
        <translation>triangles: %1, nodes: %2</translation>
    </message>
    <message>
        <source>trójkątów: co najmniej %1</source>
        <translation>triangles: at least %1</translation>
    </message>
    <message>
        <source>Przy polu trójkąta %1 siatka nie mieści się w %2 (%3).</source>
        <translation>At triangle area %1 the mesh does not fit in %2 (%3).</translation>
    </message>
    <message>
        <source> Sprawdzono: najmniejsze pole, przy którym siatka się mieści, to %1 (trójkątów: %2, węzłów: %3).</source>
        <translation> Checked: the smallest area at which the mesh fits is %1 (triangles: %2, nodes: %3).</translation>
    </message>
    <message>
        <source> Sprawdzono: siatka mieści się przy polu %1 (trójkątów: %2, węzłów: %3).</source>
        <translation> Checked: the mesh fits at area %1 (triangles: %2, nodes: %3).</translation>
    </message>
    <message>
        <source> Nie mieści się przy żadnym polu: sam brzeg wymaga więcej trójkątów.</source>
        <translation> It does not fit at any area: the boundary alone needs more triangles.</translation>
    </message>
    <message>
        <source>Punkt obszaru %1 leży poza wszystkimi zamkniętymi konturami; generacja go pomija.</source>
        <translation>Region point %1 lies outside every closed contour; the generation passes it over.</translation>
    </message>
    <message>
        <source>Punkt obszaru %1 leży w otworze węzła wewnętrznego %2: otwór usuwa obszar wokół niego, punkt nie ma znaczenia.</source>
        <translation>Region point %1 lies in the hole of internal node %2: the hole removes the region around it, the point has no effect.</translation>
    </message>
    <message>
        <source>różny materiał (%1 i %2)</source>
        <translation>a different material (%1 and %2)</translation>
    </message>
    <message>
        <source> i różne największe pole trójkąta (%1 i %2)</source>
        <translation> and a different largest triangle area (%1 and %2)</translation>
    </message>
    <message>
        <source>różne największe pole trójkąta (%1 i %2)</source>
        <translation>a different largest triangle area (%1 and %2)</translation>
    </message>
    <message>
        <source>Punkty obszaru %1 i %2 leżą w jednym obszarze, a mają %3: siatka weźmie tylko jeden z nich.</source>
        <translation>Region points %1 and %2 lie in one region but have %3: the mesh will take only one of them.</translation>
    </message>
    <message>
        <source>Program generujący siatkę (vendrel-mesher) nie dał się uruchomić.</source>
        <translation>The mesh generator (vendrel-mesher) could not be started.</translation>
    </message>
    <message>
        <source>Program generujący siatkę (vendrel-mesher) nie skończył w wyznaczonym czasie i został zatrzymany.</source>
        <translation>The mesh generator (vendrel-mesher) did not finish in the allotted time and was stopped.</translation>
    </message>
    <message>
        <source>Program generujący siatkę (vendrel-mesher) podał niepoprawną odpowiedź.</source>
        <translation>The mesh generator (vendrel-mesher) gave an invalid reply.</translation>
    </message>
    <message>
        <source>Program generujący siatkę (vendrel-mesher) zakończył się błędem.</source>
        <translation>The mesh generator (vendrel-mesher) ended with an error.</translation>
    </message>
    <message>
        <source>Węzeł %1 ma współrzędną, która nie jest liczbą skończoną. Popraw ją: „Zmień &gt; Współrzędne węzła”.</source>
        <translation>Node %1 has a coordinate that is not a finite number. Correct it: “Change &gt; Node coordinates”.</translation>
    </message>
    <message>
        <source>Węzeł wewnętrzny %1 ma współrzędną, która nie jest liczbą skończoną. Popraw ją: „Zmień &gt; Współ. węzła wewnętrznego”.</source>
        <translation>Internal node %1 has a coordinate that is not a finite number. Correct it: “Change &gt; Internal node coordinates”.</translation>
    </message>
    <message>
        <source> i </source>
        <translation> and </translation>
    </message>
    <message>
        <source>węzeł %1 w punkcie (%2; %3)</source>
        <translation>node %1 at (%2; %3)</translation>
    </message>
    <message>
        <source>węzły %1 w punkcie (%2; %3)</source>
        <translation>nodes %1 at (%2; %3)</translation>
    </message>
    <message>
        <source>Wszystkie węzły leżą w jednym punkcie: %1. Kontur z powtórzonymi węzłami nie otacza żadnego obszaru. Przesuń węzły („Zmień &gt; Współrzędne węzła”), tak by kontur otaczał obszar.</source>
        <translation>All nodes lie on one point: %1. A contour of repeated nodes encloses no region. Move the nodes (“Change &gt; Node coordinates”) so that the contour encloses a region.</translation>
    </message>
    <message>
        <source>Wszystkie węzły leżą w dwóch punktach: %1. Kontur z powtórzonymi węzłami nie otacza żadnego obszaru. Przesuń węzły („Zmień &gt; Współrzędne węzła”), tak by kontur otaczał obszar.</source>
        <translation>All nodes lie on two points: %1. A contour of repeated nodes encloses no region. Move the nodes (“Change &gt; Node coordinates”) so that the contour encloses a region.</translation>
    </message>
    <message>
        <source>Element %1 wskazuje węzeł %2, którego nie ma. Popraw go („Zmień &gt; Własności elementu”) albo usuń („Usuń &gt; Element” %1).</source>
        <translation>Element %1 refers to node %2, which does not exist. Correct it (“Change &gt; Element properties”) or delete it (“Delete &gt; Element” %1).</translation>
    </message>
    <message>
        <source>Element %1 prowadzi od węzła %2 do niego samego; generacja go pomija. Można go usunąć: „Usuń &gt; Element” %1.</source>
        <translation>Element %1 leads from node %2 to itself; the generation passes it over. It can be deleted: “Delete &gt; Element” %1.</translation>
    </message>
    <message>
        <source>Węzły %1 leżą w jednym punkcie (podwójne węzły). Generacja traktuje je jak jeden węzeł; scal je: „Usuń &gt; Podwójne węzły”.</source>
        <translation>Nodes %1 lie on one point (duplicate nodes). The generation treats them as one node; merge them: “Delete &gt; Duplicate nodes”.</translation>
    </message>
    <message>
        <source>Węzły %1 leżą w jednym punkcie (podwójne węzły), a element %2 między nimi ma długość zero. Generacja traktuje je jak jeden węzeł; scal je: „Usuń &gt; Podwójne węzły”.</source>
        <translation>Nodes %1 lie on one point (duplicate nodes), and element %2 between them has zero length. The generation treats them as one node; merge them: “Delete &gt; Duplicate nodes”.</translation>
    </message>
    <message>
        <source>Węzły %1 leżą w jednym punkcie (podwójne węzły), a elementy %2 między nimi mają długość zero. Generacja traktuje je jak jeden węzeł; scal je: „Usuń &gt; Podwójne węzły”.</source>
        <translation>Nodes %1 lie on one point (duplicate nodes), and elements %2 between them have zero length. The generation treats them as one node; merge them: “Delete &gt; Duplicate nodes”.</translation>
    </message>
    <message>
        <source>Spotyka się jeszcze %1 par elementów.</source>
        <translation>%1 more pairs of elements meet.</translation>
    </message>
    <message>
        <source>Elementy %1 i %2 zachodzą na siebie.</source>
        <translation>Elements %1 and %2 overlap.</translation>
    </message>
    <message>
        <source>Elementy %1 i %2 stykają się.</source>
        <translation>Elements %1 and %2 touch.</translation>
    </message>
    <message>
        <source>Elementy %1 i %2 przecinają się.</source>
        <translation>Elements %1 and %2 cross.</translation>
    </message>
    <message>
        <source>W węźle %1 spotykają się %2 elementy: %3.</source>
        <translation>%2 elements meet at node %1: %3.</translation>
    </message>
    <message>
        <source>W węźle %1 spotyka się %2 elementów: %3.</source>
        <translation>%2 elements meet at node %1: %3.</translation>
    </message>
    <message>
        <source>Kontur nie jest zamknięty: jego końce to węzły %1 i %2. Zamknij go: „Dodaj &gt; Element” od węzła %2 do węzła %1.</source>
        <translation>The contour is not closed: its ends are nodes %1 and %2. Close it: “Add &gt; Element” from node %2 to node %1.</translation>
    </message>
    <message>
        <source>Kontur nie jest zamknięty: jego końce to węzły %1 i %2, a element między nimi biegłby wzdłuż niego. Połącz go z najbliższym otwartym konturem: „Dodaj &gt; Element” od węzła %3 do węzła %4.</source>
        <translation>The contour is not closed: its ends are nodes %1 and %2, and an element between them would run along it. Join it to the nearest open contour: “Add &gt; Element” from node %3 to node %4.</translation>
    </message>
    <message>
        <source>Kontur nie jest zamknięty: jego końce to węzły %1 i %2, a element między nimi biegłby wzdłuż niego; dorysuj brakujące elementy.</source>
        <translation>The contour is not closed: its ends are nodes %1 and %2, and an element between them would run along it; draw the missing elements.</translation>
    </message>
    <message>
        <source>Element %1 kończy się w węźle %2, z którego nie prowadzi żaden inny element: kontur nie jest zamknięty.</source>
        <translation>Element %1 ends at node %2, from which no other element leads: the contour is not closed.</translation>
    </message>
    <message>
        <source> Przesuń go („Zmień &gt; Współ. węzła wewnętrznego”) albo usuń („Usuń &gt; Węzeł wewnętrzny” %1).</source>
        <translation> Move it (“Change &gt; Internal node coordinates”) or delete it (“Delete &gt; Internal node” %1).</translation>
    </message>
    <message>
        <source>Węzeł wewnętrzny %1 leży na elemencie %2: nie wiadomo, po której stronie jest otwór.</source>
        <translation>Internal node %1 lies on element %2: it is not known on which side the hole is.</translation>
    </message>
    <message>
        <source>Węzeł wewnętrzny %1 leży poza wszystkimi zamkniętymi konturami; generacja go pomija.</source>
        <translation>Internal node %1 lies outside every closed contour; the generation passes it over.</translation>
    </message>
    <message>
        <source>Węzeł wewnętrzny %1 leży w obszarze, a nie w otworze: usuwa obszar wokół siebie.</source>
        <translation>Internal node %1 lies in the region, not in a hole: it removes the region around itself.</translation>
    </message>
</context>
<context>
    <name>NodeElementCommands</name>
    <message>
        <source>dodanie węzła %1</source>
        <translation>adding node %1</translation>
    </message>
    <message>
        <source>zmiana współrzędnych węzła %1</source>
        <translation>changing the coordinates of node %1</translation>
    </message>
    <message>
        <source>dodanie elementu %1</source>
        <translation>adding element %1</translation>
    </message>
    <message>
        <source>zmiana elementu %1</source>
        <translation>changing element %1</translation>
    </message>
    <message>
        <source>usunięcie węzła %1</source>
        <translation>removing node %1</translation>
    </message>
    <message>
        <source>Nie mogę usunąć węzła, który występuje w elemencie</source>
        <translation>I cannot remove a node that occurs in an element</translation>
    </message>
    <message>
        <source>Usuanie węzła</source>
        <translation>Removing a node</translation>
    </message>
    <message>
        <source>usunięcie elementu %1</source>
        <translation>removing element %1</translation>
    </message>
    <message>
        <source>Usuwanie podwójnych węzłów</source>
        <translation>Removing double nodes</translation>
    </message>
    <message>
        <source>Usunąć podwójne węzły ?</source>
        <translation>Remove double nodes?</translation>
    </message>
    <message>
        <source>usunięcie podwójnych węzłów</source>
        <translation>removing double nodes</translation>
    </message>
    <message>
        <source>Usunięto %1 węzłów.</source>
        <translation>%1 nodes removed.</translation>
    </message>
</context>
<context>
    <name>NumberList</name>
    <message>
        <source> … i %1 dalszych</source>
        <translation> … and %1 more</translation>
    </message>
</context>
<context>
    <name>Numbers</name>
    <message>
        <source>trójkąt</source>
        <translation>triangle</translation>
    </message>
    <message>
        <source>trójkąty</source>
        <translation>triangles</translation>
    </message>
    <message>
        <source>trójkątów</source>
        <translation>triangles</translation>
    </message>
    <message>
        <source>węzeł</source>
        <translation>node</translation>
    </message>
    <message>
        <source>węzły</source>
        <translation>nodes</translation>
    </message>
    <message>
        <source>węzłów</source>
        <translation>nodes</translation>
    </message>
</context>
<context>
    <name>OpenExport</name>
    <message>
        <source>Elementy wskazujące nieistniejący warunek lub brzeg: %1.</source>
        <translation>Elements that refer to a condition or boundary that does not exist: %1.</translation>
    </message>
    <message>
        <source>Nie zapisano pliku: w siatce są węzły o tych samych współrzędnych (%1). Zmień największe pole trójkąta albo przesuń model bliżej początku układu.</source>
        <translation>The file was not saved: the mesh has nodes with the same coordinates (%1). Change the largest triangle area or move the model closer to the origin.</translation>
    </message>
    <message>
        <source>Nie zapisano pliku: w siatce są trójkąty o zerowym lub ujemnym polu (%1). Zmień największe pole trójkąta albo przesuń model bliżej początku układu.</source>
        <translation>The file was not saved: the mesh has triangles with zero or negative area (%1). Change the largest triangle area or move the model closer to the origin.</translation>
    </message>
    <message>
        <source>Nie zapisano pliku: w siatce są węzły o tych samych współrzędnych (%1) i trójkąty o zerowym lub ujemnym polu (%2). Zmień największe pole trójkąta albo przesuń model bliżej początku układu.</source>
        <translation>The file was not saved: the mesh has nodes with the same coordinates (%1) and triangles with zero or negative area (%2). Change the largest triangle area or move the model closer to the origin.</translation>
    </message>
</context>
<context>
    <name>Physics</name>
    <message>
        <source>przewodzenie ciepła</source>
        <translation>heat conduction</translation>
    </message>
    <message>
        <source>przewodzenie elektryczne</source>
        <translation>electric conduction</translation>
    </message>
    <message>
        <source>pole magnetyczne</source>
        <translation>magnetic field</translation>
    </message>
    <message>
        <source>tarcza (płaski stan naprężenia)</source>
        <translation>disc (plane stress)</translation>
    </message>
    <message>
        <source>przewodność cieplna λ [W/(m·K)]</source>
        <translation>thermal conductivity λ [W/(m·K)]</translation>
    </message>
    <message>
        <source>wydajność źródeł ciepła [W/m³]</source>
        <translation>heat source density [W/m³]</translation>
    </message>
    <message>
        <source>przewodność elektryczna σ [S/m]</source>
        <translation>electrical conductivity σ [S/m]</translation>
    </message>
    <message>
        <source>wydajność źródeł prądu [A/m³]</source>
        <translation>current source density [A/m³]</translation>
    </message>
    <message>
        <source>przenikalność magnetyczna μ [H/m]</source>
        <translation>magnetic permeability μ [H/m]</translation>
    </message>
    <message>
        <source>gęstość prądu [A/m²]</source>
        <translation>current density [A/m²]</translation>
    </message>
    <message>
        <source>moduł Younga E [Pa]</source>
        <translation>Young&apos;s modulus E [Pa]</translation>
    </message>
    <message>
        <source>liczba Poissona ν</source>
        <translation>Poisson&apos;s ratio ν</translation>
    </message>
    <message>
        <source>własność 1</source>
        <translation>property 1</translation>
    </message>
    <message>
        <source>własność 2</source>
        <translation>property 2</translation>
    </message>
    <message>
        <source>składowa (1 – ux, 2 – uy)</source>
        <translation>component (1 – ux, 2 – uy)</translation>
    </message>
    <message>
        <source>przemieszczenie [m]</source>
        <translation>displacement [m]</translation>
    </message>
    <message>
        <source>wartość %1</source>
        <translation>value %1</translation>
    </message>
    <message>
        <source>nr %1, %2</source>
        <translation>no. %1, %2</translation>
    </message>
    <message>
        <source>kod %1</source>
        <translation>code %1</translation>
    </message>
    <message>
        <source>materiał %1: %2, %3 %4, %5 %6</source>
        <translation>material %1: %2, %3 %4, %5 %6</translation>
    </message>
    <message>
        <source>domyślny</source>
        <translation>default</translation>
    </message>
</context>
<context>
    <name>PhysicsCommands</name>
    <message>
        <source>Przypisanie warunku</source>
        <translation>Assigning a condition</translation>
    </message>
    <message>
        <source>Przypisanie brzegu</source>
        <translation>Assigning a boundary</translation>
    </message>
    <message>
        <source>zmiana warunków brzegowych</source>
        <translation>changing boundary conditions</translation>
    </message>
    <message>
        <source>zmiana brzegów</source>
        <translation>changing boundaries</translation>
    </message>
    <message>
        <source>zmiana zadania i własności</source>
        <translation>changing the problem and properties</translation>
    </message>
    <message>
        <source>Wskaż elementy myszką</source>
        <translation>Point at elements with the mouse</translation>
    </message>
    <message>
        <source>Wybór elementów</source>
        <translation>Element selection</translation>
    </message>
    <message>
        <source>Brak elementów...</source>
        <translation>No elements...</translation>
    </message>
    <message>
        <source>Numery elementów od-do (1-%1):</source>
        <translation>Element numbers from-to (1-%1):</translation>
    </message>
    <message>
        <source>Złe numery elementów: podaj od 1 do %1, np. 3-7.</source>
        <translation>Wrong element numbers: enter from 1 to %1, e.g. 3-7.</translation>
    </message>
    <message>
        <source>Nie wybrano żadnego elementu. Wybierz je narzędziem wyboru albo według numerów („Fizyka &gt; Wybierz elementy o numerach...”).</source>
        <translation>No element is selected. Select them with the selection tool or by number (&quot;Physics &gt; Select elements by number...&quot;).</translation>
    </message>
    <message>
        <source>
… i %1 dalszych</source>
        <translation>
… and %1 more</translation>
    </message>
    <message>
        <source>Podaj numer od 1 do %1.</source>
        <translation>Enter a number from 1 to %1.</translation>
    </message>
    <message>
        <source>Numer warunku (1-%1):</source>
        <translation>Condition number (1-%1):</translation>
    </message>
    <message>
        <source>przypisanie warunku %1</source>
        <translation>assigning condition %1</translation>
    </message>
    <message>
        <source>Numer brzegu (1-%1):</source>
        <translation>Boundary number (1-%1):</translation>
    </message>
    <message>
        <source>przypisanie brzegu %1</source>
        <translation>assigning boundary %1</translation>
    </message>
    <message>
        <source>Bieżący warunek</source>
        <translation>Current condition</translation>
    </message>
    <message>
        <source>Warunek brzegowy nowych elementów (1-%1):</source>
        <translation>Boundary condition of new elements (1-%1):</translation>
    </message>
    <message>
        <source>Bieżący brzeg</source>
        <translation>Current boundary</translation>
    </message>
    <message>
        <source>Brzeg nowych elementów (1-%1):</source>
        <translation>Boundary of new elements (1-%1):</translation>
    </message>
</context>
<context>
    <name>PhysicsDialogs</name>
    <message>
        <source>Warunku 1 nie można usunąć.</source>
        <translation>Condition 1 cannot be deleted.</translation>
    </message>
    <message>
        <source>Brzegu 1 nie można usunąć.</source>
        <translation>Boundary 1 cannot be deleted.</translation>
    </message>
    <message>
        <source>Nie można usunąć warunku %1: jest przypisany do 1 elementu.</source>
        <translation>Condition %1 cannot be deleted: it is assigned to 1 element.</translation>
    </message>
    <message>
        <source>Nie można usunąć brzegu %1: jest przypisany do 1 elementu.</source>
        <translation>Boundary %1 cannot be deleted: it is assigned to 1 element.</translation>
    </message>
    <message>
        <source>Nie można usunąć warunku %1: jest przypisany do %2 elementów.</source>
        <translation>Condition %1 cannot be deleted: it is assigned to %2 elements.</translation>
    </message>
    <message>
        <source>Nie można usunąć brzegu %1: jest przypisany do %2 elementów.</source>
        <translation>Boundary %1 cannot be deleted: it is assigned to %2 elements.</translation>
    </message>
    <message>
        <source>kod %1</source>
        <translation>code %1</translation>
    </message>
    <message>
        <source>Zła wartość: %1</source>
        <translation>Invalid value: %1</translation>
    </message>
    <message>
        <source>
Liczba %1 jest za duża (to pole przyjmuje liczby od %2 do %3).</source>
        <translation>
The number %1 is too large (this field accepts numbers from %2 to %3).</translation>
    </message>
    <message>
        <source>
Liczba %1 jest za mała (to pole przyjmuje liczby od %2 do %3).</source>
        <translation>
The number %1 is too small (this field accepts numbers from %2 to %3).</translation>
    </message>
    <message>
        <source>&amp;Dodaj</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>&amp;Zmień</source>
        <translation>&amp;Modify</translation>
    </message>
    <message>
        <source>&amp;Usuń</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Warunki brzegowe</source>
        <translation>Boundary conditions</translation>
    </message>
    <message>
        <source>Rodzaj</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Rodzaju „%1” nie ma w zadaniu „%2”: wybierz jeden z jego rodzajów.</source>
        <translation>The kind “%1” does not exist in the problem “%2”: choose one of its kinds.</translation>
    </message>
    <message>
        <source>
Podpora przesuwna ustala przemieszczenie ux (składowa 1) albo uy (składowa 2): wpisz 1 albo 2.</source>
        <translation>
A roller support fixes the displacement ux (component 1) or uy (component 2): enter 1 or 2.</translation>
    </message>
    <message>
        <source>Brzegi</source>
        <translation>Boundaries</translation>
    </message>
    <message>
        <source>Rodzaj „%1” nie jest rodzajem brzegu: wybierz zewnętrzny albo wewnętrzny.</source>
        <translation>The kind “%1” is not a boundary kind: choose external or internal.</translation>
    </message>
    <message>
        <source>Zadanie i własności</source>
        <translation>Problem and properties</translation>
    </message>
    <message>
        <source>Zadanie</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>W zadaniu „%1” warunki brzegowe znaczą co innego:
%2
Zmienić zadanie?</source>
        <translation>In the problem “%1” the boundary conditions mean something else:
%2
Change the problem?</translation>
    </message>
</context>
<context>
    <name>PotentialSolve</name>
    <message>
        <source>Współczynnik przewodzenia ciepła λ</source>
        <translation>Thermal conductivity λ</translation>
    </message>
    <message>
        <source>Przewodność elektryczna σ</source>
        <translation>Electrical conductivity σ</translation>
    </message>
    <message>
        <source>Przenikalność magnetyczna μ</source>
        <translation>Magnetic permeability μ</translation>
    </message>
    <message>
        <source>Przewodność k</source>
        <translation>Conductivity k</translation>
    </message>
    <message>
        <source>skończona i dodatnia</source>
        <translation>finite and positive</translation>
    </message>
    <message>
        <source>%1 nie jest liczbą.</source>
        <translation>%1 is not a number.</translation>
    </message>
    <message>
        <source>Wydajność źródeł</source>
        <translation>Source density</translation>
    </message>
    <message>
        <source>Zadanie nie ma rozwiązania jednoznacznego: żaden brzeg nie ma warunku wartości (rodzaj 1) ani konwekcji (rodzaj 3).</source>
        <translation>The problem has no unique solution: no boundary has a value condition (kind 1) or convection (kind 3).</translation>
    </message>
    <message>
        <source>Zadanie rodzaju %1 nie ma własnej nazwy: rozwiązano je jako zagadnienie potencjału -div(k grad u) = f, z k = %2 (przewodność) i f = %3 (wydajność źródeł).</source>
        <translation>Problem kind %1 has no name of its own: it was solved as the potential problem -div(k grad u) = f, with k = %2 (conductivity) and f = %3 (source density).</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>Plik jest niekompletny</source>
        <translation>The file is incomplete</translation>
    </message>
    <message>
        <source>Plik zawiera niepoprawne dane: w miejscu liczby stoi inny tekst</source>
        <translation>The file holds invalid data: other text stands where a number should be</translation>
    </message>
    <message>
        <source>Plik zawiera niepoprawne dane: liczba %1 w wierszu %2 jest za duża (to pole przyjmuje liczby od %3 do %4)</source>
        <translation>The file holds invalid data: the number %1 on line %2 is too large (this field takes numbers from %3 to %4)</translation>
    </message>
    <message>
        <source>Plik zawiera niepoprawne dane: liczba %1 w wierszu %2 jest za mała (to pole przyjmuje liczby od %3 do %4)</source>
        <translation>The file holds invalid data: the number %1 on line %2 is too small (this field takes numbers from %3 to %4)</translation>
    </message>
    <message>
        <source>Plik zawiera niepoprawne dane: liczba %1 w wierszu %2 jest za bliska zera (najmniejsza liczba różna od zera, jaką przyjmuje to pole, to 1e-45)</source>
        <translation>The file holds invalid data: the number %1 on line %2 is too close to zero (the smallest non-zero number this field takes is 1e-45)</translation>
    </message>
    <message>
        <source>Plik zawiera błędną liczbę węzłów: %1 (dopuszczalna od 0 do %2)</source>
        <translation>The file gives a wrong number of nodes: %1 (allowed from 0 to %2)</translation>
    </message>
    <message>
        <source>Plik zawiera błędną liczbę elementów: %1 (dopuszczalna od 0 do %2)</source>
        <translation>The file gives a wrong number of elements: %1 (allowed from 0 to %2)</translation>
    </message>
    <message>
        <source>Plik zawiera błędną liczbę warunków brzegowych: %1 (dopuszczalna od 0 do %2)</source>
        <translation>The file gives a wrong number of boundary conditions: %1 (allowed from 0 to %2)</translation>
    </message>
    <message>
        <source>Plik zawiera błędną liczbę brzegów: %1 (dopuszczalna od 0 do %2)</source>
        <translation>The file gives a wrong number of boundaries: %1 (allowed from 0 to %2)</translation>
    </message>
    <message>
        <source>Plik zawiera błędną liczbę węzłów wewnętrznych: %1 (dopuszczalna od 0 do %2)</source>
        <translation>The file gives a wrong number of internal nodes: %1 (allowed from 0 to %2)</translation>
    </message>
    <message>
        <source>Element %1 odwołuje się do nieistniejącego węzła</source>
        <translation>Element %1 refers to a node that does not exist</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku</source>
        <translation>Cannot read the file</translation>
    </message>
</context>
<context>
    <name>QtPrompter</name>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ReaderTexts</name>
    <message>
        <source>W rysunku jest liczba nieskończona albo większa niż 1 000 000 000 co do wartości.</source>
        <translation>The drawing has a number that is infinite or larger than 1 000 000 000 in magnitude.</translation>
    </message>
    <message>
        <source>To jest binarny plik DXF; zapisz rysunek jako DXF tekstowy (ASCII).</source>
        <translation>This is a binary DXF file; save the drawing as a text (ASCII) DXF.</translation>
    </message>
    <message>
        <source>To nie jest tekstowy plik DXF.</source>
        <translation>This is not a text DXF file.</translation>
    </message>
    <message>
        <source>Plik DXF jest niepełny albo uszkodzony: nie kończy się znacznikiem EOF.</source>
        <translation>The DXF file is incomplete or damaged: it does not end with an EOF marker.</translation>
    </message>
    <message>
        <source>Plik DXF jest niepełny: ostatni kod grupy nie ma wartości.</source>
        <translation>The DXF file is incomplete: the last group code has no value.</translation>
    </message>
    <message>
        <source>Plik DXF jest uszkodzony: w wierszu %1 zamiast kodu grupy stoi %2.</source>
        <translation>The DXF file is damaged: line %1 has %2 instead of a group code.</translation>
    </message>
    <message>
        <source>Plik DXF jest uszkodzony: w wierszu %1 zamiast liczby (kod %2) stoi %3.</source>
        <translation>The DXF file is damaged: line %1 has %3 instead of a number (code %2).</translation>
    </message>
    <message>
        <source>Plik DXF jest uszkodzony: w wierszu %1 zamiast liczby całkowitej (kod %2) stoi %3.</source>
        <translation>The DXF file is damaged: line %1 has %3 instead of an integer (code %2).</translation>
    </message>
    <message>
        <source>Plik DXF jest uszkodzony: w wierszu %1 %2 zapowiada %3 elementów (kod %4), a do końca pliku zostało %5 par.</source>
        <translation>The DXF file is damaged: at line %1 %2 announces %3 items (code %4), but only %5 pairs are left to the end of the file.</translation>
    </message>
    <message>
        <source>Plik DXF jest niepełny: POLYLINE w wierszu %1 nie kończy się znacznikiem SEQEND.</source>
        <translation>The DXF file is incomplete: the POLYLINE at line %1 does not end with a SEQEND marker.</translation>
    </message>
    <message>
        <source>Plik DXF jest niepełny: %1 w wierszu %2 nie ma wartości o kodzie %3.</source>
        <translation>The DXF file is incomplete: %1 at line %2 has no value with code %3.</translation>
    </message>
    <message>
        <source>Plik DXF jest niepełny: %1 w wierszu %2 zapowiada %3 wierzchołków, a ma %4.</source>
        <translation>The DXF file is incomplete: %1 at line %2 announces %3 vertices but has %4.</translation>
    </message>
    <message>
        <source>Rysunek ma ponad %1 linii i łuków (z blokami).</source>
        <translation>The drawing has more than %1 lines and arcs (with blocks).</translation>
    </message>
    <message>
        <source>Polilinia ma za dużo wierzchołków.</source>
        <translation>A polyline has too many vertices.</translation>
    </message>
    <message>
        <source>Rysunek ma linie na ponad %1 warstwach.</source>
        <translation>The drawing has lines on more than %1 layers.</translation>
    </message>
    <message>
        <source>Po wstawieniu bloków rysunek ma współrzędne większe niż 1 000 000 000.</source>
        <translation>With its blocks inserted, the drawing has coordinates larger than 1 000 000 000.</translation>
    </message>
    <message>
        <source>W rysunku nie ma linii, łuków, okręgów, elips ani polilinii.</source>
        <translation>The drawing has no lines, arcs, circles, ellipses or polylines.</translation>
    </message>
    <message>
        <source>W rysunku nie ma linii, łuków, okręgów, elips ani polilinii (pominięte: %1).</source>
        <translation>The drawing has no lines, arcs, circles, ellipses or polylines (skipped: %1).</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku %1.</source>
        <translation>Cannot open the file %1.</translation>
    </message>
    <message>
        <source>Plik %1 ma %2 MB; program wczytuje rysunki DXF do %3 MB.</source>
        <translation>The file %1 has %2 MB; the program reads DXF drawings of up to %3 MB.</translation>
    </message>
</context>
<context>
    <name>RegionPointCommands</name>
    <message>
        <source>Usuwanie punktu obszaru</source>
        <translation>Removing a region point</translation>
    </message>
    <message>
        <source>zmiana materiałów</source>
        <translation>changing materials</translation>
    </message>
    <message>
        <source>dodanie punktu obszaru %1</source>
        <translation>adding region point %1</translation>
    </message>
    <message>
        <source>zmiana punktu obszaru</source>
        <translation>changing a region point</translation>
    </message>
    <message>
        <source>Nr punktu obszaru</source>
        <translation>Region point no.</translation>
    </message>
    <message>
        <source>usunięcie punktu obszaru %1</source>
        <translation>removing region point %1</translation>
    </message>
    <message>
        <source>usunięcie punktów obszaru</source>
        <translation>removing region points</translation>
    </message>
    <message>
        <source>Usunąć punkt obszaru %1 ?</source>
        <translation>Remove region point %1?</translation>
    </message>
    <message>
        <source>Nie wybrałeś żadnego punktu obszaru.</source>
        <translation>You have not chosen any region point.</translation>
    </message>
</context>
<context>
    <name>RegionSection</name>
    <message>
        <source>brakuje liczby</source>
        <translation>a number is missing</translation>
    </message>
    <message>
        <source>w miejscu liczby stoi inny tekst</source>
        <translation>other text stands where a number should be</translation>
    </message>
    <message>
        <source>liczba poza zakresem jej pola</source>
        <translation>a number outside its field&apos;s range</translation>
    </message>
    <message>
        <source>niepoprawna liczba</source>
        <translation>an invalid number</translation>
    </message>
    <message>
        <source>nadmiarowy tekst na końcu wiersza</source>
        <translation>extra text at the end of the line</translation>
    </message>
    <message>
        <source>nazwa materiału musi stać w cudzysłowie</source>
        <translation>the material&apos;s name must be in quotation marks</translation>
    </message>
    <message>
        <source>nazwa materiału musi mieć od 1 do %1 bajtów</source>
        <translation>the material&apos;s name must have from 1 to %1 bytes</translation>
    </message>
    <message>
        <source>niepoprawny zapis znaku w nazwie materiału (dozwolone \&quot;, \\ i \xHH)</source>
        <translation>an invalid escape in the material&apos;s name (\&quot;, \\ and \xHH are allowed)</translation>
    </message>
    <message>
        <source>znak spoza drukowalnych znaków ASCII w nazwie materiału (zapisuje się go jako \xHH)</source>
        <translation>a character outside printable ASCII in the material&apos;s name (it is written as \xHH)</translation>
    </message>
    <message>
        <source>nazwa materiału nie ma zamykającego cudzysłowu</source>
        <translation>the material&apos;s name has no closing quotation mark</translation>
    </message>
    <message>
        <source>brakuje liczby materiałów i punktów obszarów</source>
        <translation>the numbers of materials and region points are missing</translation>
    </message>
    <message>
        <source>liczba materiałów %1 poza zakresem od 0 do %2</source>
        <translation>the number of materials %1 is outside the range from 0 to %2</translation>
    </message>
    <message>
        <source>liczba punktów obszarów %1 poza zakresem od 0 do %2</source>
        <translation>the number of region points %1 is outside the range from 0 to %2</translation>
    </message>
    <message>
        <source>plik kończy się przed końcem sekcji</source>
        <translation>the file ends before the end of the section</translation>
    </message>
    <message>
        <source>punkt obszaru nr %1 wskazuje materiał nr %2, którego nie ma</source>
        <translation>region point no. %1 refers to material no. %2, which does not exist</translation>
    </message>
    <message>
        <source>największe pole trójkąta punktu obszaru nr %1 musi być liczbą skończoną nie mniejszą od zera</source>
        <translation>the largest triangle area of region point no. %1 must be a finite number not less than zero</translation>
    </message>
    <message>
        <source>nadmiarowy tekst po sekcji obszarów</source>
        <translation>extra text after the region section</translation>
    </message>
    <message>
        <source>Plik zawiera niepoprawną sekcję obszarów (wiersz %1): %2.</source>
        <translation>The file has an invalid region section (line %1): %2.</translation>
    </message>
</context>
<context>
    <name>ResultsWindow</name>
    <message>
        <source>Wyniki</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Wielkość</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Miejsce</source>
        <translation>Location</translation>
    </message>
</context>
<context>
    <name>Scene</name>
    <message>
        <source>materiał projektu</source>
        <translation>project material</translation>
    </message>
    <message>
        <source>materiał %1</source>
        <translation>material %1</translation>
    </message>
</context>
<context>
    <name>SegmentPlotCommands</name>
    <message>
        <source>Wykres wzdłuż odcinka</source>
        <translation>Plot along a segment</translation>
    </message>
    <message>
        <source>Wskaż początek odcinka</source>
        <translation>Point at the start of the segment</translation>
    </message>
    <message>
        <source>Wskaż koniec odcinka</source>
        <translation>Point at the end of the segment</translation>
    </message>
</context>
<context>
    <name>Solution</name>
    <message>
        <source>węzeł %1 (%2; %3)</source>
        <translation>node %1 (%2; %3)</translation>
    </message>
    <message>
        <source>trójkąt %1 (%2; %3)</source>
        <translation>triangle %1 (%2; %3)</translation>
    </message>
    <message>
        <source>element %1</source>
        <translation>element %1</translation>
    </message>
    <message>
        <source>elementy %1</source>
        <translation>elements %1</translation>
    </message>
    <message>
        <source>zadanie rodzaju %1 (potencjał)</source>
        <translation>problem kind %1 (potential)</translation>
    </message>
    <message>
        <source>Materiał własny modelu</source>
        <translation>The model&apos;s own material</translation>
    </message>
    <message>
        <source>Materiał %1 (%2)</source>
        <translation>Material %1 (%2)</translation>
    </message>
    <message>
        <source>%1 od %2 do %3, średnio %4</source>
        <translation>%1 from %2 to %3, mean %4</translation>
    </message>
    <message>
        <source>pole %1</source>
        <translation>area %1</translation>
    </message>
    <message>
        <source>%1: źródła</source>
        <translation>%1: sources</translation>
    </message>
    <message>
        <source>%1 najmniejsza</source>
        <translation>%1 smallest</translation>
    </message>
    <message>
        <source>%1 największa</source>
        <translation>%1 largest</translation>
    </message>
    <message>
        <source>%1 największy</source>
        <translation>%1 largest</translation>
    </message>
    <message>
        <source> (wpływa)</source>
        <translation> (flows in)</translation>
    </message>
    <message>
        <source> (wypływa)</source>
        <translation> (flows out)</translation>
    </message>
    <message>
        <source>Warunek %1</source>
        <translation>Condition %1</translation>
    </message>
    <message>
        <source>Źródła</source>
        <translation>Sources</translation>
    </message>
    <message>
        <source>cały obszar</source>
        <translation>the whole region</translation>
    </message>
    <message>
        <source>względnie %1</source>
        <translation>relatively %1</translation>
    </message>
    <message>
        <source>Bilans (suma dopływów i źródeł)</source>
        <translation>Balance (sum of inflows and sources)</translation>
    </message>
    <message>
        <source>%1 najmniejsze</source>
        <translation>%1 smallest</translation>
    </message>
    <message>
        <source>%1 największe</source>
        <translation>%1 largest</translation>
    </message>
    <message>
        <source>|u| największe</source>
        <translation>|u| largest</translation>
    </message>
    <message>
        <source>σ_red (Hubera-Misesa) największe</source>
        <translation>σ_red (von Mises) largest</translation>
    </message>
    <message>
        <source>reakcja Rx = %1, Ry = %2</source>
        <translation>reaction Rx = %1, Ry = %2</translation>
    </message>
    <message>
        <source>obciążenie Fx = %1, Fy = %2</source>
        <translation>load Fx = %1, Fy = %2</translation>
    </message>
    <message>
        <source>Bilans sił (suma obciążeń i reakcji)</source>
        <translation>Force balance (sum of loads and reactions)</translation>
    </message>
    <message>
        <source>Uwaga</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Szacowany błąd</source>
        <translation>Estimated error</translation>
    </message>
    <message>
        <source>względny, w normie energii (z pola wygładzonego)</source>
        <translation>relative, in the energy norm (from the smoothed field)</translation>
    </message>
    <message>
        <source>Zadanie rozwiązane: %1, %2.</source>
        <translation>Problem solved: %1, %2.</translation>
    </message>
    <message>
        <source>%1 od %2 do %3.</source>
        <translation>%1 from %2 to %3.</translation>
    </message>
    <message>
        <source>Szczegóły: Rozwiązanie &gt; Wyniki...</source>
        <translation>Details: Solution &gt; Results...</translation>
    </message>
    <message>
        <source>Zadanie</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>Siatka</source>
        <translation>Mesh</translation>
    </message>
</context>
<context>
    <name>SolutionDialogs</name>
    <message>
        <source>Pole</source>
        <translation>Field</translation>
    </message>
    <message>
        <source> (w węzłach, interpolowane)</source>
        <translation> (at nodes, interpolated)</translation>
    </message>
    <message>
        <source> (w elementach)</source>
        <translation> (in elements)</translation>
    </message>
    <message>
        <source> (Hubera-Misesa, w elementach)</source>
        <translation> (Huber-Mises, in elements)</translation>
    </message>
    <message>
        <source> (wygładzone w węzłach)</source>
        <translation> (smoothed at nodes)</translation>
    </message>
    <message>
        <source> (Hubera-Misesa, wygładzone w węzłach)</source>
        <translation> (Huber-Mises, smoothed at nodes)</translation>
    </message>
    <message>
        <source>błąd</source>
        <translation>error</translation>
    </message>
    <message>
        <source> (szacowany, w elementach)</source>
        <translation> (estimated, in elements)</translation>
    </message>
    <message>
        <source>Pole mapy:</source>
        <translation>Map field:</translation>
    </message>
    <message>
        <source>Liczba izolinii:</source>
        <translation>Number of isolines:</translation>
    </message>
    <message>
        <source>Powiększenie odkształcenia:</source>
        <translation>Deformation scale:</translation>
    </message>
    <message>
        <source>Puste pole: powiększenie samoczynne, %1</source>
        <translation>Empty field: automatic scale, %1</translation>
    </message>
    <message>
        <source>Odkształcenie rysuje się tylko dla tarczy.</source>
        <translation>The deformation is drawn only for a disc.</translation>
    </message>
    <message>
        <source>Liczba izolinii musi być liczbą całkowitą od 1 do %1.</source>
        <translation>The number of isolines must be a whole number from 1 to %1.</translation>
    </message>
    <message>
        <source>Powiększenie odkształcenia musi być liczbą dodatnią (puste pole: samoczynne).</source>
        <translation>The deformation scale must be a positive number (empty field: automatic).</translation>
    </message>
    <message>
        <source>Lista wartości</source>
        <translation>Value list</translation>
    </message>
    <message>
        <source>Zapisz &amp;CSV...</source>
        <translation>Save &amp;CSV...</translation>
    </message>
    <message>
        <source>Zapisz CSV</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>Plik CSV (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>Nie udało się zapisać pliku %1.</source>
        <translation>Could not save the file %1.</translation>
    </message>
</context>
<context>
    <name>SolveCommands</name>
    <message>
        <source>Rozwiązanie</source>
        <translation>Solution</translation>
    </message>
    <message>
        <source>Brak rozwiązania: najpierw rozwiąż zadanie (Rozwiązanie &gt; Rozwiąż).</source>
        <translation>No solution: solve the problem first (Solution &gt; Solve).</translation>
    </message>
    <message>
        <source>Siatka nie została wygenerowana: najpierw GENERUJ (Ctrl+G).</source>
        <translation>The mesh has not been generated: GENERATE first (Ctrl+G).</translation>
    </message>
    <message>
        <source>Nie udało się rozwiązać zadania: błąd wewnętrzny.</source>
        <translation>The problem could not be solved: internal error.</translation>
    </message>
    <message>
        <source>Trwa rozwiązywanie zadania…</source>
        <translation>Solving the problem…</translation>
    </message>
    <message>
        <source>Rozwiąż z dokładnością</source>
        <translation>Solve to an accuracy</translation>
    </message>
    <message>
        <source>rozwiązanie z dokładnością</source>
        <translation>solution to an accuracy</translation>
    </message>
    <message>
        <source>Szacowany błąd względny [%] :</source>
        <translation>Estimated relative error [%]:</translation>
    </message>
    <message>
        <source>Największa liczba trójkątów :</source>
        <translation>Largest number of triangles:</translation>
    </message>
    <message>
        <source>Największa liczba kroków :</source>
        <translation>Largest number of steps:</translation>
    </message>
    <message>
        <source>Podaj błąd od 0 do 100 %, liczbę trójkątów od 1 do %1 i liczbę kroków od 0 do 100.</source>
        <translation>Enter an error from 0 to 100 %, a number of triangles from 1 to %1 and a number of steps from 0 to 100.</translation>
    </message>
    <message>
        <source>Krok %1: %2, szacowany błąd %3</source>
        <translation>Step %1: %2, estimated error %3</translation>
    </message>
    <message>
        <source>Osiągnięto zadaną dokładność %1.</source>
        <translation>The requested accuracy %1 was reached.</translation>
    </message>
    <message>
        <source>Limit %1 nie pozwala osiągnąć dokładności %2.</source>
        <translation>The limit of %1 does not allow reaching the accuracy %2.</translation>
    </message>
    <message>
        <source>Po %1 krokach nie osiągnięto dokładności %2.</source>
        <translation>After %1 steps the accuracy %2 was not reached.</translation>
    </message>
    <message>
        <source>Przerwano zagęszczanie.</source>
        <translation>The refinement was stopped.</translation>
    </message>
    <message>
        <source>
Szacowany błąd %1 (%2, krok %3).</source>
        <translation>
Estimated error %1 (%2, step %3).</translation>
    </message>
    <message>
        <source>Wyniki</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Całki</source>
        <translation>Integrals</translation>
    </message>
    <message>
        <source>Odcinek wykresu (%1; %2) – (%3; %4)</source>
        <translation>Plot segment (%1; %2) – (%3; %4)</translation>
    </message>
    <message>
        <source>Mapa</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Izolinie</source>
        <translation>Isolines</translation>
    </message>
    <message>
        <source>Odkształcenie</source>
        <translation>Deformation</translation>
    </message>
    <message>
        <source>Odkształcenie rysuje się tylko dla tarczy (płaski stan naprężenia).</source>
        <translation>The deformation is drawn only for a disc (plane stress).</translation>
    </message>
    <message>
        <source>Pole</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Lista wartości</source>
        <translation>Value list</translation>
    </message>
    <message>
        <source>Zapisz obraz</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>Obraz SVG (*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>bez nazwy</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>Nie udało się zapisać obrazu do pliku %1.</source>
        <translation>The image could not be saved to file %1.</translation>
    </message>
</context>
<context>
    <name>Solver</name>
    <message>
        <source>Zadanie nie daje się rozwiązać dokładnie: każda część obszaru jest utrzymana, ale układ równań jest numerycznie osobliwy, bo wartości zadania (własności, współczynniki warunków, wymiary) różnią się o zbyt wiele rzędów wielkości.</source>
        <translation>The problem cannot be solved accurately: every part of the region is held, but the system of equations is numerically singular, because the problem&apos;s values (properties, condition coefficients, dimensions) differ by too many orders of magnitude.</translation>
    </message>
    <message>
        <source>Nic nie obciąża zadania: rozwiązanie jest zerowe. Obciąży je brzeg z warunkiem: obciążenie ciągłe różne od zera (rodzaj 1) albo przemieszczenie różne od zera (rodzaj 2).</source>
        <translation>Nothing loads the problem: the solution is zero. A boundary with a condition loads it: a non-zero distributed load (kind 1) or a non-zero displacement (kind 2).</translation>
    </message>
    <message>
        <source>Nic nie obciąża zadania: rozwiązanie jest zerowe. Obciążą je źródła (druga własność różna od zera) albo brzeg z warunkiem: wartość różna od zera (rodzaj 1), strumień różny od zera (rodzaj 2) lub konwekcja do wartości otoczenia różnej od zera (rodzaj 3).</source>
        <translation>Nothing loads the problem: the solution is zero. Sources (a non-zero second property) load it, or a boundary with a condition: a non-zero value (kind 1), a non-zero flux (kind 2) or convection to a non-zero ambient value (kind 3).</translation>
    </message>
    <message>
        <source>Uwaga: %1 = %2 to mniej niż 1e-30, czego nie ma żaden materiał; sprawdź jednostki. Wynik może nie mieć sensu.</source>
        <translation>Note: %1 = %2 is less than 1e-30, which no material has; check the units. The result may make no sense.</translation>
    </message>
    <message>
        <source>Uwaga: %1 = %2 to więcej niż 1e30, czego nie ma żaden materiał; sprawdź jednostki. Wynik może nie mieć sensu.</source>
        <translation>Note: %1 = %2 is more than 1e30, which no material has; check the units. The result may make no sense.</translation>
    </message>
    <message>
        <source>%1 musi być %2 (jest nieskończona: liczba za duża dla typu float, którego największa wartość to 3,4028235e38).</source>
        <translation>%1 must be %2 (it is infinite: a number too large for the float type, whose largest value is 3.4028235e38).</translation>
    </message>
    <message>
        <source>%1 musi być %2 (jest %3).</source>
        <translation>%1 must be %2 (it is %3).</translation>
    </message>
    <message>
        <source>%1 materiału nr %2</source>
        <translation>%1 of material no. %2</translation>
    </message>
    <message>
        <source>Trójkąt nr %1 siatki jest z materiału nr %2, którego nie ma w tabeli materiałów; wygeneruj siatkę ponownie.</source>
        <translation>Mesh triangle no. %1 is of material no. %2, which is not in the table of materials; generate the mesh again.</translation>
    </message>
    <message>
        <source>Trójkąt nr %1 siatki ma wierzchołek spoza siatki; wygeneruj ją ponownie.</source>
        <translation>Mesh triangle no. %1 has a corner outside the mesh; generate it again.</translation>
    </message>
    <message>
        <source>Trójkąt nr %1 siatki ma zerowe lub ujemne pole; wygeneruj siatkę ponownie.</source>
        <translation>Mesh triangle no. %1 has a zero or negative area; generate the mesh again.</translation>
    </message>
    <message>
        <source>Siatka nie odpowiada modelowi (element nr %1 nie istnieje); wygeneruj siatkę ponownie.</source>
        <translation>The mesh does not match the model (element no. %1 does not exist); generate the mesh again.</translation>
    </message>
    <message>
        <source>Element %1 wskazuje warunek nr %2, którego nie ma w tabeli warunków.</source>
        <translation>Element %1 refers to condition no. %2, which is not in the table of conditions.</translation>
    </message>
    <message>
        <source>Elementy %1 wskazują warunek nr %2, którego nie ma w tabeli warunków.</source>
        <translation>Elements %1 refer to condition no. %2, which is not in the table of conditions.</translation>
    </message>
    <message>
        <source>Warunek nr %1 (element %2) ma rodzaj %3, którego to zadanie nie zna.</source>
        <translation>Condition no. %1 (element %2) has kind %3, which this problem does not know.</translation>
    </message>
    <message>
        <source>Warunek nr %1 (elementy %2) ma rodzaj %3, którego to zadanie nie zna.</source>
        <translation>Condition no. %1 (elements %2) has kind %3, which this problem does not know.</translation>
    </message>
    <message>
        <source>Warunek nr %1 (element %2) ma wartość, która nie jest liczbą skończoną: %3 = %4.</source>
        <translation>Condition no. %1 (element %2) has a value that is not a finite number: %3 = %4.</translation>
    </message>
    <message>
        <source>Warunek nr %1 (elementy %2) ma wartość, która nie jest liczbą skończoną: %3 = %4.</source>
        <translation>Condition no. %1 (elements %2) has a value that is not a finite number: %3 = %4.</translation>
    </message>
    <message>
        <source>Warunek nr %1 (element %2) to podpora przesuwna ze składową %3: podpora ustala przemieszczenie ux (składowa 1) albo uy (składowa 2).</source>
        <translation>Condition no. %1 (element %2) is a roller support with component %3: a roller support holds displacement ux (component 1) or uy (component 2).</translation>
    </message>
    <message>
        <source>Warunek nr %1 (elementy %2) to podpora przesuwna ze składową %3: podpora ustala przemieszczenie ux (składowa 1) albo uy (składowa 2).</source>
        <translation>Condition no. %1 (elements %2) is a roller support with component %3: a roller support holds displacement ux (component 1) or uy (component 2).</translation>
    </message>
    <message>
        <source>Warunek nr %1: współczynnik konwekcji α = %2 nie może być ujemny.</source>
        <translation>Condition no. %1: the convection coefficient α = %2 must not be negative.</translation>
    </message>
    <message>
        <source>węzły</source>
        <translation>nodes</translation>
    </message>
    <message>
        <source>elementy</source>
        <translation>elements</translation>
    </message>
    <message>
        <source>węzły wewnętrzne</source>
        <translation>internal nodes</translation>
    </message>
    <message>
        <source>punkty obszarów</source>
        <translation>region points</translation>
    </message>
    <message>
        <source> i </source>
        <translation> and </translation>
    </message>
    <message>
        <source>Od generacji siatki zmieniły się %1 modelu: siatka nie opisuje już obszaru. Wygeneruj ją ponownie (GENERUJ), a potem rozwiąż zadanie.</source>
        <translation>The model&apos;s %1 have changed since the mesh was generated: the mesh no longer describes the region. Generate it again (GENERATE), then solve the problem.</translation>
    </message>
    <message>
        <source>Nie ma siatki: wygeneruj ją przed rozwiązaniem zadania.</source>
        <translation>There is no mesh: generate it before solving the problem.</translation>
    </message>
    <message>
        <source>Siatka nie ma oznaczonych krawędzi brzegu; wygeneruj ją ponownie.</source>
        <translation>The mesh has no tagged boundary edges; generate it again.</translation>
    </message>
    <message>
        <source>Zadanie rodzaju %1 nie jest znane.</source>
        <translation>Problem kind %1 is not known.</translation>
    </message>
    <message>
        <source>Za mało pamięci, by rozwiązać zadanie na tej siatce.</source>
        <translation>Not enough memory to solve the problem on this mesh.</translation>
    </message>
</context>
<context>
    <name>ViewCommands</name>
    <message>
        <source>Zmień gęstość siatki aby powiększyć bardziej...</source>
        <translation>Change the grid density to zoom in further...</translation>
    </message>
</context>
<context>
    <name>ViewDialogs</name>
    <message>
        <source>Ustawienia ekranu</source>
        <translation>Screen settings</translation>
    </message>
    <message>
        <source>Pokaż :</source>
        <translation>Show :</translation>
    </message>
    <message>
        <source>Węzły</source>
        <translation>Nodes</translation>
    </message>
    <message>
        <source>Numery węzłów</source>
        <translation>Node numbers</translation>
    </message>
    <message>
        <source>Elementy</source>
        <translation>Elements</translation>
    </message>
    <message>
        <source>Numery elementów</source>
        <translation>Element numbers</translation>
    </message>
    <message>
        <source>Węzły wewnętrzne</source>
        <translation>Internal nodes</translation>
    </message>
    <message>
        <source>Odl. między punktami siatki :</source>
        <translation>Grid point spacing :</translation>
    </message>
    <message>
        <source>Pokaż siatke</source>
        <translation>Show grid</translation>
    </message>
    <message>
        <source>w osi x</source>
        <translation>along x</translation>
    </message>
    <message>
        <source>w osi y</source>
        <translation>along y</translation>
    </message>
    <message>
        <source>Błędnie podano parametry siatki</source>
        <translation>Invalid grid parameters</translation>
    </message>
    <message>
        <source>Ustawienia siatki</source>
        <translation>Grid settings</translation>
    </message>
    <message>
        <source>Odległość pomiędzy punktami w osi X =</source>
        <translation>Spacing between points along X =</translation>
    </message>
    <message>
        <source>Odległość pomiędzy punktami w osi Y =</source>
        <translation>Spacing between points along Y =</translation>
    </message>
    <message>
        <source>Zła wartość podziałki</source>
        <translation>Invalid grid spacing</translation>
    </message>
    <message>
        <source>Ustawianie podzialki</source>
        <translation>Setting the grid spacing</translation>
    </message>
    <message>
        <source>Ustawienia obszaru</source>
        <translation>Region settings</translation>
    </message>
    <message>
        <source>Lewy dolny róg obszaru X</source>
        <translation>Lower left corner of the region X</translation>
    </message>
    <message>
        <source>Lewy dolny róg obszaru Y</source>
        <translation>Lower left corner of the region Y</translation>
    </message>
    <message>
        <source>Prawy górny róg obszaru X</source>
        <translation>Upper right corner of the region X</translation>
    </message>
    <message>
        <source>Prawy górny róg obszaru Y</source>
        <translation>Upper right corner of the region Y</translation>
    </message>
    <message>
        <source>Złe wartości definiujące obszar</source>
        <translation>Invalid values defining the region</translation>
    </message>
    <message>
        <source>Ustawianie obszaru</source>
        <translation>Setting the region</translation>
    </message>
</context>
<context>
    <name>WriteCause</name>
    <message>
        <source>pod tą nazwą jest plik specjalny (urządzenie, potok), a nie zwykły plik</source>
        <translation>under this name there is a special file (a device, a pipe), not a regular file</translation>
    </message>
    <message>
        <source>brak miejsca na dysku</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>wyczerpany przydział miejsca na dysku (quota)</source>
        <translation>the disk quota is exhausted</translation>
    </message>
    <message>
        <source>brak uprawnień do zapisu w tym miejscu</source>
        <translation>no permission to write here</translation>
    </message>
    <message>
        <source>system plików jest tylko do odczytu</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>błąd wejścia-wyjścia urządzenia</source>
        <translation>a device input/output error</translation>
    </message>
    <message>
        <source>folder nie istnieje</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>folder nie istnieje (część ścieżki nie jest folderem)</source>
        <translation>the folder does not exist (part of the path is not a folder)</translation>
    </message>
    <message>
        <source>nazwa pliku jest za długa</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>pod tą nazwą jest folder</source>
        <translation>there is a folder under this name</translation>
    </message>
    <message>
        <source>plik byłby za duży dla tego systemu plików</source>
        <translation>the file would be too large for this file system</translation>
    </message>
    <message>
        <source>za dużo otwartych plików</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>za mało pamięci</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>za dużo dowiązań symbolicznych w ścieżce</source>
        <translation>too many symbolic links in the path</translation>
    </message>
    <message>
        <source>plik jest w użyciu</source>
        <translation>the file is in use</translation>
    </message>
    <message>
        <source>Nie można zapisać do pliku</source>
        <translation>Cannot write to the file</translation>
    </message>
    <message>
        <source>%1
Przyczyna: %2.</source>
        <translation>%1
Cause: %2.</translation>
    </message>
</context>
</TS>
