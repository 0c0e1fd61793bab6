zul_add_test_program(test_lenti_render test_lenti_render.cpp APP)
zul_add_benchmark(bench_lenti bench_lenti.cpp APP)
