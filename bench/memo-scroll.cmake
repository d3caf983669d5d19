# memo_scroll_bench: a 10,000-line memo scrolled from top to bottom one line at a time, each step
# painted, with its scroll bars skinned against the same memo with the skin off, in one run. Run it
# with target run_memo_scroll_bench (under Wine when cross-compiling, on a display).
if(TARGET app_form AND TARGET skin_window)
  add_executable(memo_scroll_bench WIN32 ${CMAKE_CURRENT_LIST_DIR}/MemoScrollBench.cpp)
  target_link_libraries(memo_scroll_bench PRIVATE app_form)
  add_custom_target(run_memo_scroll_bench
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:memo_scroll_bench>
    DEPENDS memo_scroll_bench
    VERBATIM)
endif()
