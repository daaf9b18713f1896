<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>tess2mainform</name>
    <message>
        <source>Do you want to close the program?</source>
        <translation>¿Desea abandonar el programa?</translation>
    </message>
</context>
</TS>
