# skin_load_bench: the whole load of the product skin against the bare expand and a memcpy of the
# container, in one run. Run it with target run_skin_load_bench (under Wine when cross-compiling).
if(TARGET skin_data AND TARGET product_skin)
  set(bench_skin_file ${CMAKE_BINARY_DIR}/skins/reprocessa.skn)
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/BenchSkin.rc
       CONTENT "// The packed product skin, linked into the benchmark.\nPRODUCTSKIN RCDATA \"${bench_skin_file}\"\n")
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/BenchSkin.rc PROPERTIES OBJECT_DEPENDS ${bench_skin_file})
  add_executable(skin_load_bench ${CMAKE_CURRENT_LIST_DIR}/SkinLoadBench.cpp ${CMAKE_CURRENT_BINARY_DIR}/BenchSkin.rc)
  target_link_libraries(skin_load_bench PRIVATE skin_data)
  add_dependencies(skin_load_bench product_skin)
  add_custom_target(run_skin_load_bench
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:skin_load_bench>
    DEPENDS skin_load_bench
    VERBATIM)
endif()
