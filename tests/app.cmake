zul_add_test_program(test_lenti_render test_lenti_render.cpp APP)
zul_add_benchmark(bench_lenti bench_lenti.cpp APP)
zul_add_test_program(test_lenti_scenarios test_lenti_scenarios.cpp ISOLATED APP)

# The shipped program driven from outside its process with real X input.
add_executable(put_pair_on_clipboard blackbox/put_pair_on_clipboard.cpp)
target_link_options(put_pair_on_clipboard PRIVATE ${ZUL_STATIC_RUNTIME})
add_test(NAME lenti_blackbox
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/blackbox/run_lenti_blackbox.sh
                 $<TARGET_FILE:lenti> $<TARGET_FILE:put_pair_on_clipboard>)
set_tests_properties(lenti_blackbox PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE)
