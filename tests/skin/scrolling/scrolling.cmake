# Skinned scroll bars with the product skin and skins built by the tests: real input, pixels read back.
add_skinned_window_test(skin_scroll_tests scrolling ${CMAKE_CURRENT_LIST_DIR}/ScrollTesting.cpp)
