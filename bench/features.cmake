keyra_add_bench(bench_features SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_features.cpp LIBS keyra_features)
