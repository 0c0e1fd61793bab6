zul_add_test_program(test_core test_core.cpp)
zul_add_test_program(test_runctl test_runctl.cpp ISOLATED)
