foreach(target fuzz_pzz fuzz_config fuzz_picture)
  add_executable(${target} ${TESSELON_FUZZ_DIR}/${target}.cpp)
  target_link_libraries(${target} PRIVATE tesselon_picture)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endforeach()
# The seeds reuse the generator's metafile writers and its orientation tag.
set(makeart_dir ${TESSELON_FUZZ_DIR}/../tools/makeart)
add_executable(make_seeds ${TESSELON_FUZZ_DIR}/make_seeds.cpp ${makeart_dir}/WmfWriter.cpp
  ${makeart_dir}/EmfSample.cpp ${makeart_dir}/PictureEncoders.cpp)
target_include_directories(make_seeds PRIVATE ${makeart_dir} ${EMF_INCLUDE_DIR})
target_link_libraries(make_seeds PRIVATE tesselon_picture ${EMF_LIBRARY})
set_target_properties(fuzz_pzz fuzz_config fuzz_picture make_seeds
  PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TESSELON_FUZZ_DIR}/out)
