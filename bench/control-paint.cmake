# control_paint_bench: full repaints of the main window with its controls skinned against the same
# window with the skin off, in one run. Run it with target run_control_paint_bench (under Wine when
# cross-compiling, on a display).
if(TARGET app_form AND TARGET skin_window)
  add_executable(control_paint_bench WIN32 ${CMAKE_CURRENT_LIST_DIR}/ControlPaintBench.cpp)
  target_link_libraries(control_paint_bench PRIVATE app_form)
  add_custom_target(run_control_paint_bench
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:control_paint_bench>
    DEPENDS control_paint_bench
    VERBATIM)
endif()
