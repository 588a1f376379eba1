# Hostile-input checks: libFuzzer targets (fuzz/, own CMake project, clang) and the
# thread test under ThreadSanitizer (only that test and the libraries it links).
FUZZ_BUILD   ?= build-fuzz
TSAN_BUILD   ?= build-tsan
FUZZ_SECONDS ?= 60

.PHONY: fuzz test-fuzz-short test-tsan

TEST_STEPS += test-tsan test-fuzz-short

fuzz: deps
	FUZZ_BUILD=$(abspath $(FUZZ_BUILD)) JOBS=$(JOBS) bash scripts/fuzz.sh $(FUZZ_SECONDS)

test-fuzz-short: deps
	FUZZ_BUILD=$(abspath $(FUZZ_BUILD)) JOBS=$(JOBS) bash scripts/fuzz.sh 10

test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYRA_ASSERTIONS=ON \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	      -DCMAKE_C_FLAGS=-fsanitize=thread -DCMAKE_CXX_FLAGS=-fsanitize=thread \
	      -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
	      -DKEYRA_BUILD_BENCH=OFF -DKEYRA_BUILD_TOOLS=OFF $(CMAKE_ARGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target keyra_threads_tests
	TSAN_OPTIONS="halt_on_error=1 $(TSAN_OPTIONS)" \
	      ctest --test-dir $(TSAN_BUILD) --output-on-failure -R '^Threads\.'
