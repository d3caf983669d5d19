# Skinned tab controls, tab sets, list views with the product skin and skins built by the tests: real input, pixels read back.
if(TARGET product_skin AND TARGET skin_window)
  file(GLOB tabs_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*Test.cpp)
  add_wine_test(skin_tab_tests
    SOURCES
      ${tabs_sources}
      ${CMAKE_SOURCE_DIR}/tests/skin/window/FrameTesting.cpp
      ${CMAKE_SOURCE_DIR}/tests/ui/UiTesting.cpp
    LIBS skin_window deps_png)
  add_dependencies(skin_tab_tests product_skin)
  target_include_directories(skin_tab_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/skin/window ${CMAKE_SOURCE_DIR}/tests/ui)
  target_compile_definitions(skin_tab_tests PRIVATE PRODUCT_SKIN_FILE="${PRODUCT_SKIN_FILE}"
    SCREENSHOT_DIR="${CMAKE_SOURCE_DIR}/build/screenshots/tabs")
endif()
