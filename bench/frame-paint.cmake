# frame_paint_bench: non-client repaints of a skinned window against the same window with the skin
# off, and the start to the first skinned frame against the start to the first plain frame, in one
# run. Run it with target run_frame_paint_bench (under Wine when cross-compiling, on a display).
if(TARGET skin_window AND TARGET product_skin)
  set(frame_bench_skin ${CMAKE_BINARY_DIR}/skins/reprocessa.skn)
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/FrameBenchSkin.rc
       CONTENT "// The packed product skin, linked into the benchmark.\nPRODUCTSKIN RCDATA \"${frame_bench_skin}\"\n")
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/FrameBenchSkin.rc PROPERTIES OBJECT_DEPENDS ${frame_bench_skin})
  add_executable(frame_paint_bench WIN32 ${CMAKE_CURRENT_LIST_DIR}/FramePaintBench.cpp
                 ${CMAKE_CURRENT_BINARY_DIR}/FrameBenchSkin.rc)
  target_link_libraries(frame_paint_bench PRIVATE skin_window shell32)
  add_dependencies(frame_paint_bench product_skin)
  add_custom_target(run_frame_paint_bench
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:frame_paint_bench>
    DEPENDS frame_paint_bench
    VERBATIM)
endif()
