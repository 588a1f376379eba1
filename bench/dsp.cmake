keyra_add_bench(bench_dsp SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_vector_functions.cpp LIBS keyra_dsp)
