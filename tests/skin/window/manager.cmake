# The skin manager's registration side: components, deferred requests, the CBT hook.
add_wine_test(skin_manager_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinManageTest.cpp
  LIBS skin_data)
# Started by the manager tests: ends with a skinned form alive, checked through its exit code.
add_executable(skin_exit_probe ${CMAKE_CURRENT_LIST_DIR}/ExitProbe.cpp)
target_link_libraries(skin_exit_probe PRIVATE skin_data)
add_dependencies(skin_manager_tests skin_exit_probe)
# The skinned frame on real windows, with the product skin.
if(TARGET product_skin AND TARGET skin_window)
  add_wine_test(skin_frame_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/FrameTesting.cpp
      ${CMAKE_CURRENT_LIST_DIR}/FrameTest.cpp
      ${CMAKE_SOURCE_DIR}/tests/ui/UiTesting.cpp
    LIBS skin_window deps_png)
  add_dependencies(skin_frame_tests product_skin)
  target_include_directories(skin_frame_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/tests/ui)
  target_compile_definitions(skin_frame_tests PRIVATE PRODUCT_SKIN_FILE="${PRODUCT_SKIN_FILE}"
    SCREENSHOT_DIR="${CMAKE_SOURCE_DIR}/build/screenshots/frame")
endif()
