<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>tess2mainform</name>
    <message>
        <source>Do you want to close the program?</source>
        <translation>¿Desea abandonar el programa?</translation>
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
        <translation>English</translation>
    </message>
    <message>
        <source>Español</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>See it assembled</source>
        <translation>ver Montado</translation>
    </message>
    <message>
        <source>For a few seconds</source>
        <translation>Por unos segundos</translation>
    </message>
    <message>
        <source>In a new window</source>
        <translation>En una nueva ventana</translation>
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
        <translation>No se puede crear la carpeta %1; la configuración no se guardará.</translation>
    </message>
    <message>
        <source>The picture cannot be shown.</source>
        <translation>No se puede mostrar la imagen.</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>ASSEMBLED</source>
        <translation>MONTADO</translation>
    </message>
    <message>
        <source>NO IMAGE</source>
        <translation>SIN IMAGEN</translation>
    </message>
    <message>
        <source>NOT ASSEMBLED</source>
        <translation>SIN MONTAR</translation>
    </message>
    <message>
        <source>%1 pieces (%2x%3)</source>
        <translation>%1 piezas (%2x%3)</translation>
    </message>
    <message>
        <source>%1 pieces in place</source>
        <translation>%1 piezas colocadas</translation>
    </message>
    <message>
        <source>%1 pieces out of place</source>
        <translation>%1 piezas por colocar</translation>
    </message>
    <message>
        <source>%1 movements</source>
        <translation>Realizados %1 movimientos</translation>
    </message>
</context>
<context>
    <name>SalvarLeerPuzzle2</name>
    <message>
        <source>Bad file name</source>
        <translation>Nombre de archivo incorrecto</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>No se ha encontrado el archivo</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disco lleno</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permiso denegado</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>No se ha encontrado la ruta de acceso</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Imagen no válida</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Llamada a procedimiento o argumento no válidos</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Error de acceso a la ruta o al archivo</translation>
    </message>
    <message>
        <source>The file %1 is a damaged puzzle file.</source>
        <translation>El archivo %1 es un archivo de puzzle dañado.</translation>
    </message>
    <message>
        <source>File %1 already exists. Overwrite it?</source>
        <translation>El archivo %1 ya existe. ¿Desea sobrescribirlo?</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Columns</source>
        <translation>Columnas</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Filas</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Cargando…</translation>
    </message>
    <message>
        <source>%1 pieces puzzle (%2x%3)</source>
        <translation>Puzzle de %1 piezas (%2x%3)</translation>
    </message>
    <message>
        <source>Any piece can be moved to any place</source>
        <translation>Puedes mover cualquier pieza a cualquier posición.</translation>
    </message>
    <message>
        <source>You can only move a piece if it has an empty place by its side.</source>
        <translation>Solo puedes mover una pieza si tiene un lugar vacío a su lado.</translation>
    </message>
    <message>
        <source>The selected unit is not ready</source>
        <translation>La unidad escogida no está lista</translation>
    </message>
    <message>
        <source>To create the puzzle you shall chose an image</source>
        <translation>Para crear el puzzle debes escoger una imagen</translation>
    </message>
    <message>
        <source>from your computer</source>
        <translation>que tengas guardada en tu ordenador</translation>
    </message>
    <message>
        <source>The file %1 is not a puzzle file</source>
        <translation>El archivo %1 no es un archivo de puzzle</translation>
    </message>
    <message>
        <source>The file version of %1 is not supported</source>
        <translation>La versión del archivo %1 no está soportada</translation>
    </message>
    <message>
        <source>The folder %1 cannot be read</source>
        <translation>No se puede leer la carpeta %1</translation>
    </message>
    <message>
        <source>The file %1 is no longer in its folder</source>
        <translation>El archivo %1 ya no está en su carpeta</translation>
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
        <source>Drive:</source>
        <translation>Unidad:</translation>
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
    <name>FormAcercaDe</name>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>For comments, suggestions, bug reporting etc. you are welcomed to write to </source>
        <translation>Para comentarios, sugerencias, informe de fallos etc. puede escribir a </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>System Info...</source>
        <translation>Info. del sistema...</translation>
    </message>
</context>
<context>
    <name>Ayuda</name>
    <message>
        <source>Help files not found</source>
        <translation>No se han encontrado los archivos de ayuda</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
</context>
<context>
    <name>BestResults</name>
    <message>
        <source>Your first result for this puzzle: %1 movements in %2.</source>
        <translation>Tu primer resultado en este puzzle: %1 movimientos en %2.</translation>
    </message>
    <message>
        <source>New best result: %1 movements in %2 (the best was %3 movements in %4).</source>
        <translation>Nuevo mejor resultado: %1 movimientos en %2 (el mejor era %3 movimientos en %4).</translation>
    </message>
    <message>
        <source>%1 movements in %2. The best result is %3 movements in %4.</source>
        <translation>%1 movimientos en %2. El mejor resultado es %3 movimientos en %4.</translation>
    </message>
</context>
<context>
    <name>GameKeeper</name>
    <message>
        <source>Games are not being kept: %1</source>
        <translation>Las partidas no se están guardando: %1</translation>
    </message>
    <message>
        <source>Another copy of Tesselon is running; this one does not keep its game.</source>
        <translation>Otra copia de Tesselon está en marcha; esta no guarda su partida.</translation>
    </message>
</context>
<context>
    <name>BestResultsWindow</name>
    <message>
        <source>Best results</source>
        <translation>Mejores resultados</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Piezas</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Movements</source>
        <translation>Movimientos</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Partidas</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Difficult</source>
        <translation>Difícil</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>EditCommands</name>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rehacer</translation>
    </message>
    <message>
        <source>&amp;Animations</source>
        <translation>&amp;Animaciones</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rehacer</translation>
    </message>
</context>
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Board</source>
        <translation>Tablero</translation>
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
        <source>Fit to the window</source>
        <translation>Ajustar a la ventana</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Alejar</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Acercar</translation>
    </message>
    <message>
        <source>More tools</source>
        <translation>Más herramientas</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Columnas</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Filas</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Salvar como</translation>
    </message>
</context>
<context>
    <name>KeyboardController</name>
    <message>
        <source>the empty place</source>
        <translation>el hueco</translation>
    </message>
    <message>
        <source>its own piece</source>
        <translation>su propia pieza</translation>
    </message>
    <message>
        <source>the piece of column %1, row %2</source>
        <translation>la pieza de la columna %1, fila %2</translation>
    </message>
    <message>
        <source>Column %1, row %2: %3</source>
        <translation>Columna %1, fila %2: %3</translation>
    </message>
</context>
<context>
    <name>WindowTitle</name>
    <message>
        <source>assembled</source>
        <translation>montado</translation>
    </message>
    <message>
        <source>%1 of %2 in place</source>
        <translation>%1 de %2 colocadas</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The file is not a picture that can be opened, or it is damaged.</source>
        <translation>El archivo no es una imagen que se pueda abrir, o está dañado.</translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels, too large to open: decoding it would take more than %3 MB of memory.</source>
        <translation>La imagen mide %1 x %2 píxeles, demasiado grande para abrirla: decodificarla ocuparía más de %3 MB de memoria.</translation>
    </message>
    <message>
        <source>The file takes %1 MB, more than the %2 MB a picture may take.</source>
        <translation>El archivo ocupa %1 MB, más de los %2 MB que puede ocupar una imagen.</translation>
    </message>
</context>
</TS>
