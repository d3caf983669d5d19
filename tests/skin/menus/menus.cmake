# Skinned menus and MDI windows with the product skin: real mouse and keyboard input.
add_skinned_window_test(skin_menu_tests menus ${CMAKE_CURRENT_LIST_DIR}/MenuInput.cpp)
