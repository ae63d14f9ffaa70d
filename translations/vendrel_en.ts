<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="pl_PL">
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
</TS>
