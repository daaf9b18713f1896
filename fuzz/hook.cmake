# Included by fuzz/build.sh through CMAKE_PROJECT_INCLUDE: once the project has defined its
# libraries, the fuzz targets are added on top of them.
set(TESSELON_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL include ${TESSELON_FUZZ_DIR}/targets.cmake)
