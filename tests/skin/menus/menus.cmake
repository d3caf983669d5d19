# Skinned menus and MDI windows with the product skin: real mouse and keyboard input.
if(TARGET product_skin AND TARGET skin_window)
  file(GLOB menu_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*Test.cpp)
  add_wine_test(skin_menu_tests
    SOURCES
      ${menu_tests}
      ${CMAKE_CURRENT_LIST_DIR}/MenuInput.cpp
      ${CMAKE_SOURCE_DIR}/tests/skin/window/FrameTesting.cpp
      ${CMAKE_SOURCE_DIR}/tests/ui/UiTesting.cpp
    LIBS skin_window deps_png)
  add_dependencies(skin_menu_tests product_skin)
  target_include_directories(skin_menu_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/skin/window ${CMAKE_SOURCE_DIR}/tests/ui)
  target_compile_definitions(skin_menu_tests PRIVATE PRODUCT_SKIN_FILE="${PRODUCT_SKIN_FILE}"
    SCREENSHOT_DIR="${CMAKE_SOURCE_DIR}/build/screenshots/menus")
endif()
