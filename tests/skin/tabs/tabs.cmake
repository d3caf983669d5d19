# Skinned tab controls, tab sets, list views with the product skin and skins built by the tests: real input, pixels read back.
add_skinned_window_test(skin_tab_tests tabs)
