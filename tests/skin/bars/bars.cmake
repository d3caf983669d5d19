# Skinned status bars, tool bars, headers with the product skin and skins built by the tests: real input, pixels read back.
add_skinned_window_test(skin_bar_tests bars)
