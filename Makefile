# Entry points: make run, make test. Everything installs what it needs first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps build test test-release test-asan bench demo clean

all: build

# Steps of `make test`, in order; fragments in mk/ add their own.
TEST_STEPS := test-release test-asan
-include mk/*.mk

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DKEYRA_ASSERTIONS=ON -DKEYRA_BUILD_DEMO=ON $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

test-release: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYRA_ASSERTIONS=ON \
	      -DKEYRA_SANITIZE=ON -DKEYRA_BUILD_BENCH=OFF -DKEYRA_BUILD_DEMO=OFF $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test: $(TEST_STEPS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Builds everything and starts the desktop demo (needs a display).
demo: build
	"$(BUILD)/demo/KeyraDemo_artefacts/Release/KeyraDemo"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

# Analyses the bundled example (an A minor cadence the build synthesises) with keyra.
.PHONY: run
run: build
	$(BUILD)/cli/keyra --quiet $(BUILD)/examples/a-minor-cadence.wav
