keyra_add_bench(bench_engine SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_engine.cpp ${PROJECT_SOURCE_DIR}/tests/engine/HeapAllocationCounter.cpp LIBS keyra_engine)
target_include_directories(bench_engine PRIVATE ${PROJECT_SOURCE_DIR}/tests/engine)
