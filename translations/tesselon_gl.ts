<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="gl">
<context>
    <name>tess2mainform</name>
    <message>
        <source>Do you want to close the program?</source>
        <translation>¿Desexa abandona-lo programa?</translation>
    </message>
</context>
</TS>
