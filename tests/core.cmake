zul_add_test_program(test_core test_core.cpp)
