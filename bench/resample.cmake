keyra_add_bench(bench_resample SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_resample.cpp LIBS keyra_resample)
