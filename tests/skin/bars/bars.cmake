# Skinned status bars, tool bars, headers with the product skin and skins built by the tests: real input, pixels read back.
if(TARGET product_skin AND TARGET skin_window)
  file(GLOB bars_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*Test.cpp)
  add_wine_test(skin_bar_tests
    SOURCES
      ${bars_sources}
      ${CMAKE_SOURCE_DIR}/tests/skin/window/FrameTesting.cpp
      ${CMAKE_SOURCE_DIR}/tests/ui/UiTesting.cpp
    LIBS skin_window deps_png)
  add_dependencies(skin_bar_tests product_skin)
  target_include_directories(skin_bar_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/skin/window ${CMAKE_SOURCE_DIR}/tests/ui)
  target_compile_definitions(skin_bar_tests PRIVATE PRODUCT_SKIN_FILE="${PRODUCT_SKIN_FILE}"
    SCREENSHOT_DIR="${CMAKE_SOURCE_DIR}/build/screenshots/bars")
endif()
