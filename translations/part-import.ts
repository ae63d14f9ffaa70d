<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="pl_PL">
<context>
    <name>BatchDrawing</name>
    <message>
        <source>Rysunek nie podaje jednostek ($INSUNITS), więc --dxf-scale m nie ma z czego przeliczyć; podaj skalę liczbą.</source>
        <translation>The drawing gives no units ($INSUNITS), so --dxf-scale m has nothing to convert from; give the scale as a number.</translation>
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
</TS>
