# Set-up, build, run and test. `make run` and `make test` do everything on a fresh Debian 12.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

# Sanitizer reports halt the run; leaks inside system libraries are listed in tests/lsan.supp.
# intercept_strndup=0: libxkbcommon-x11 (under Qt's xcb platform) passes strndup buffers without a
# terminator, which the interceptor reports as a read one byte past them.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_strndup=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

.PHONY: setup setup-run build build-programs run test test-plain test-asan fuzz bench bench-export \
	screenshot clean

# What building and testing everything needs; only what the programs need.
setup:
	@tools/setup-debian.sh
setup-run:
	@tools/setup-debian.sh --run

# Everything: the programs, the tests and the benchmarks.
build: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)

# The two programs and their data, as a packager builds them: no test or benchmark library.
build-programs: setup-run
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build-programs
	$(BUILD_DIR)/app/sorkam $(BUILD_DIR)/demo.vid

# Every test: the plain build, the same suite under the sanitizers, and a bounded fuzz run.
test: test-plain test-asan fuzz

test-plain: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

test-asan: setup
	@cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DSORKAM_SANITIZE=ON -DSORKAM_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_DIR) -j$(JOBS)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS)

# libFuzzer over the reader and the record display, seeded from the tests' file generator.
fuzz: setup
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
		-DBUILD_TESTING=OFF -DSORKAM_FUZZ=ON -DSORKAM_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	@cmake --build $(FUZZ_DIR) -j$(JOBS)
	cd $(FUZZ_DIR) && ctest --output-on-failure

# Medians of the display's work against their targets (Google Benchmark).
bench: build
	$(BUILD_DIR)/bench/sorkam_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
		--benchmark_min_time=0.2

# sorkam-export's streaming figures and its bulk pictures against gnuplot (a benchmark-time peer).
bench-export: build
	@tools/setup-debian.sh --bench
	bench/export-figures.sh $(BUILD_DIR)

# The README's picture, taken by the end-to-end test from the real window under Xvfb.
screenshot: build
	cd $(BUILD_DIR) && ctest -R StepsOverlaysClears --output-on-failure
	cp $(BUILD_DIR)/sorkam-overlay.png docs/sorkam-overlay.png

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
