keyra_add_bench(bench_fft SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_fft.cpp LIBS keyra_dsp)
