<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="pl_PL">
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
    <name>QtPrompter</name>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
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
</TS>
