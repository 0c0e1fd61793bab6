zul_add_test_program(test_input_box test_input_box.cpp)
# Keyboard focus follows the active window, which another test program's
# windows would take away: these cases run alone.
set_tests_properties(test_input_box PROPERTIES RUN_SERIAL TRUE)
