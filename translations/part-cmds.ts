<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="pl_PL">
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
    <name>ViewCommands</name>
    <message>
        <source>Zmień gęstość siatki aby powiększyć bardziej...</source>
        <translation>Change the grid density to zoom in further...</translation>
    </message>
</context>
</TS>
