# The skinned controls on real windows, with the product skin; one file per control kind.
if(TARGET product_skin AND TARGET skin_window)
  file(GLOB control_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*Test.cpp)
  add_wine_test(skin_controls_tests
    SOURCES
      ${control_tests}
      ${CMAKE_SOURCE_DIR}/tests/skin/window/FrameTesting.cpp
      ${CMAKE_SOURCE_DIR}/tests/ui/UiTesting.cpp
    LIBS skin_window deps_png)
  add_dependencies(skin_controls_tests product_skin)
  target_include_directories(skin_controls_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/skin/window ${CMAKE_SOURCE_DIR}/tests/ui)
  target_compile_definitions(skin_controls_tests PRIVATE PRODUCT_SKIN_FILE="${PRODUCT_SKIN_FILE}"
    SCREENSHOT_DIR="${CMAKE_SOURCE_DIR}/build/screenshots/controls")
endif()
