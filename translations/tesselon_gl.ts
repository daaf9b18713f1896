<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="gl">
<context>
    <name>tess2mainform</name>
    <message>
        <source>Do you want to close the program?</source>
        <translation>¿Desexa abandona-lo programa?</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created; your settings will not be kept.</source>
        <translation>Non se pode crear o cartafol %1; a configuración non se gardará.</translation>
    </message>
    <message>
        <source>The picture cannot be shown.</source>
        <translation>Non se pode amosar a imaxe.</translation>
    </message>
</context>
<context>
    <name>SalvarLeerPuzzle2</name>
    <message>
        <source>Bad file name</source>
        <translation>Bad file name</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Path not found</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Invalid picture</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Invalid procedure call or argument</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Path/File access error</translation>
    </message>
    <message>
        <source>The file %1 is a damaged puzzle file.</source>
        <translation>The file %1 is a damaged puzzle file.</translation>
    </message>
    <message>
        <source>File %1 already exists. Overwrite it?</source>
        <translation>File %1 already exists. Overwrite it?</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>%1 pieces puzzle (%2x%3)</source>
        <translation>Puzzle de %1 pezas (%2x%3)</translation>
    </message>
    <message>
        <source>Any piece can be moved to any place</source>
        <translation>Podes mover calquera peza a calquera posición.</translation>
    </message>
    <message>
        <source>You can only move a piece if it has an empty place by its side.</source>
        <translation>Solo podes mover unha peza se ten un lugar valeiro o seu carón.</translation>
    </message>
    <message>
        <source>The selected unit is not ready</source>
        <translation>A unidade escollida non está lista</translation>
    </message>
    <message>
        <source>To create the puzzle you shall chose an image</source>
        <translation>Para crea-lo puzzle debes escoller unha imaxe</translation>
    </message>
    <message>
        <source>from your computer</source>
        <translation>que teñas gardada no teu ordenador</translation>
    </message>
    <message>
        <source>The file %1 is not a puzzle file</source>
        <translation>The file %1 is not a puzzle file</translation>
    </message>
    <message>
        <source>The file version of %1 is not supported</source>
        <translation>The file version of %1 is not supported</translation>
    </message>
    <message>
        <source>The folder %1 cannot be read</source>
        <translation>Non se pode ler o cartafol %1</translation>
    </message>
    <message>
        <source>Select an image</source>
        <translation>Selecciona una imagen</translation>
    </message>
    <message>
        <source>Preview image</source>
        <translation>Mostrar imagen</translation>
    </message>
    <message>
        <source>Puzzle style</source>
        <translation>Tipo de puzzle</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Difficult</source>
        <translation>Difícil</translation>
    </message>
    <message>
        <source>Any piece can be moved to any place.</source>
        <translation>Puedes mover cualquier pieza a cualquier posición.</translation>
    </message>
    <message>
        <source>Remember this folder</source>
        <translation>Recordar esta carpeta</translation>
    </message>
    <message>
        <source>File type:</source>
        <translation>Tipo de archivo:</translation>
    </message>
    <message>
        <source>Save as:</source>
        <translation>Salvar como:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>Ayuda</name>
    <message>
        <source>Help files not found</source>
        <translation>Help files not found</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
</context>
</TS>
