# menu_open_bench: opening a drop-down menu of 30 items from the skinned menu bar against the same
# menu opened with the skin off, in one run. Run it with target run_menu_open_bench (under Wine when
# cross-compiling, on a display).
if(TARGET app_form AND TARGET skin_window)
  add_executable(menu_open_bench WIN32 ${CMAKE_CURRENT_LIST_DIR}/MenuOpenBench.cpp)
  target_link_libraries(menu_open_bench PRIVATE app_form)
  add_custom_target(run_menu_open_bench
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:menu_open_bench>
    DEPENDS menu_open_bench
    VERBATIM)
endif()
