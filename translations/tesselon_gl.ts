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
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>Español</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>See it assembled</source>
        <translation>Ver Montado</translation>
    </message>
    <message>
        <source>For a few seconds</source>
        <translation>Por unos segundos</translation>
    </message>
    <message>
        <source>In a new window</source>
        <translation>Ventana independiente</translation>
    </message>
    <message>
        <source>See only assembled pieces</source>
        <translation>Ver solo piezas montadas</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Tesselon help</source>
        <translation>Ayuda de Tesselon</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created; your settings will not be kept.</source>
        <translation>The folder %1 cannot be created; your settings will not be kept.</translation>
    </message>
    <message>
        <source>The picture cannot be shown.</source>
        <translation>The picture cannot be shown.</translation>
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
        <translation>The folder %1 cannot be read</translation>
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
<context>
    <name>StatusBar</name>
    <message>
        <source>ASSEMBLED</source>
        <translation>ASSEMBLED</translation>
    </message>
    <message>
        <source>NO IMAGE</source>
        <translation>NO IMAGE</translation>
    </message>
    <message>
        <source>NOT ASSEMBLED</source>
        <translation>NOT ASSEMBLED</translation>
    </message>
    <message>
        <source>%1 pieces (%2x%3)</source>
        <translation>%1 pieces (%2x%3)</translation>
    </message>
    <message>
        <source>%1 pieces in place</source>
        <translation>%1 pieces in place</translation>
    </message>
    <message>
        <source>%1 pieces out of place</source>
        <translation>%1 pieces out of place</translation>
    </message>
    <message>
        <source>%1 movements</source>
        <translation>%1 movements</translation>
    </message>
</context>
<context>
    <name>FormAcercaDe</name>
    <message>
        <source>About %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>For comments, suggestions, bug reporting etc. you are welcomed to write to </source>
        <translation>For comments, suggestions, bug reporting etc. you are welcomed to write to </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>System Info...</source>
        <translation>System Info...</translation>
    </message>
</context>
</TS>
