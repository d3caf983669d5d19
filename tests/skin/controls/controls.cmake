# The skinned controls on real windows, with the product skin; one file per control kind.
add_skinned_window_test(skin_controls_tests controls)
