# The skin manager's registration side: components, deferred requests, the CBT hook.
add_wine_test(skin_manager_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinManageTest.cpp
  LIBS skin_data)
# Started by the manager tests: ends with a skinned form alive, checked through its exit code.
add_executable(skin_exit_probe ${CMAKE_CURRENT_LIST_DIR}/ExitProbe.cpp)
target_link_libraries(skin_exit_probe PRIVATE skin_data)
add_dependencies(skin_manager_tests skin_exit_probe)
