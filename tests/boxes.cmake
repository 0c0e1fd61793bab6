# Keyboard focus follows the active window, which another program's windows
# would take away: the box's cases run alone.
zul_add_test_program(test_button_box test_button_box.cpp)
set_tests_properties(test_button_box PROPERTIES RUN_SERIAL TRUE)
