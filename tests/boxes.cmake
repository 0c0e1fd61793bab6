zul_add_test_program(test_button_box test_button_box.cpp)
zul_add_test_program(test_button_box_scenarios test_button_box_scenarios.cpp ISOLATED)
# Keyboard focus follows the active window, which another test program's
# windows would take away: these cases run alone.
set_tests_properties(test_button_box PROPERTIES RUN_SERIAL TRUE)
