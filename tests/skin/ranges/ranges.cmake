# Skinned track bars, up-downs, progress bars with the product skin and skins built by the tests: real input, pixels read back.
add_skinned_window_test(skin_range_tests ranges)
