# The two commands every new user runs: `make demo` and `make test`. Each installs what is
# missing (scripts/install-deps.sh), configures, builds and runs.
JOBS ?= $(shell nproc)

.PHONY: deps configure build test test-asan bench demo fuzz fuzz-merge clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset release >/dev/null

build: configure
	@cmake --build --preset release -j $(JOBS)

test: build
	@ctest --preset release -j $(JOBS)

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

# The benchmarks are built only here, so that `make test` does not wait for them.
bench: deps
	@cmake --preset release -DKEL_BUILD_BENCH=ON >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@for b in build/release/bench/*_bench; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

demo: build
	@scripts/run-demo.sh build/release

# Builds the libFuzzer targets (clang) and runs each for FUZZ_SECONDS (default 60); what they
# find stays in build/fuzz/corpus until `make fuzz-merge` adds the entries that add coverage to
# the committed corpus in tests/fuzz/corpus.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps.sh fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh run

fuzz-merge:
	@scripts/fuzz.sh merge

clean:
	rm -rf build
