# The help: pages of our own under resources/help, compiled by Free Pascal's chmcmd into one
# .chm per language in the help folder beside the program. Its pictures are drawn at build
# time by helpart and the toolbar's bitmaps are the program's own, so the repository keeps
# only text.
find_program(TESSELON_CHMCMD NAMES chmcmd-3.2.2 chmcmd REQUIRED)

set(help_source ${CMAKE_SOURCE_DIR}/resources/help)
set(help_stage ${CMAKE_BINARY_DIR}/resources/help)

add_executable(helpart ${help_source}/helpart.cpp)
target_link_libraries(helpart PRIVATE Qt6::Gui)
# Keep the tool out of the folder the program is run from.
set_target_properties(helpart PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${help_stage})

set(help_art portada.png normal.png dificil.png solo_montadas.png)
list(TRANSFORM help_art PREPEND ${help_stage}/art/)
add_custom_command(
  OUTPUT ${help_art}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:helpart> ${help_stage}/art
  DEPENDS helpart
  COMMENT "Drawing the help pictures"
  VERBATIM)

set(help_toolbar open.bmp save.bmp fit.bmp zoom_out.bmp zoom_in.bmp)
list(TRANSFORM help_toolbar PREPEND ${TESSELON_RUNTIME_DIR}/icons/)

# Each language is staged in a folder of its own, so that the two compilations never write
# the same file, and compiled there because chmcmd names its output relative to the
# working folder.
function(tesselon_help_chm project folder)
  set(stage ${help_stage}/${folder})
  set(chm ${TESSELON_RUNTIME_DIR}/help/${project}.chm)
  set(sources ${project}.hhp ${project}.hhc ${ARGN})
  list(TRANSFORM sources PREPEND ${help_source}/${folder}/)
  list(APPEND sources ${help_source}/tesselon_help.css)
  add_custom_command(
    OUTPUT ${chm}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/images ${TESSELON_RUNTIME_DIR}/help
    COMMAND ${CMAKE_COMMAND} -E copy ${sources} ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${help_art} ${help_toolbar} ${stage}/images
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage} ${TESSELON_CHMCMD} --verbosity 0 ${project}.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${stage}/${project}.chm ${chm}
    DEPENDS ${sources} ${help_art} ${help_toolbar}
    COMMENT "Compiling the help file ${project}.chm"
    VERBATIM)
  set(help_chm_files ${help_chm_files} ${chm} PARENT_SCOPE)
endfunction()

tesselon_help_chm(tesselon_help en
  tesselon_help.htm new_puzzle.htm styles.htm view_aids.htm saving.htm zoom.htm status_bar.htm)
tesselon_help_chm(ayuda_tesselon es
  tesselon_help_sp.htm nuevo_puzzle.htm estilos.htm ver_montado.htm guardar.htm
  zoom_desplazamiento.htm barra_estado.htm)

add_custom_target(tesselon_help_files DEPENDS ${help_chm_files})
add_dependencies(tesselon_runtime_files tesselon_help_files)
