# Two commands: `make run` builds the two libraries and zqtest in Release and runs
# every suite, writing the reports into $(OUT); `make test` builds everything and
# runs the unit, end-to-end and browser tests.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
OUT ?= $(BUILD)/out

.PHONY: run test build configure clean asan fuzz

configure:
	@command -v cmake >/dev/null || { echo "cmake missing: apt-get install -y cmake ninja-build"; exit 2; }
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# ZQTEST_OPTIONS adds options to the run, such as --baseline DIR.
ZQTEST_OPTIONS ?=

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target zqtest
	$(BUILD)/harness/zqtest --suite all --perf-routine all --perf-iterations auto --out $(OUT) \
	  --html $(OUT)/report.html --junit $(OUT)/results.xml --json $(OUT)/results.json \
	  --perf-csv $(OUT)/perf.csv $(ZQTEST_OPTIONS)

# The browser test's driver and the Unicode data the table test reads come from npm,
# pinned by their lockfiles; where node and npm are at hand they are installed first.
NPM_FOLDERS = tools/browser tools/unicode

test: build
	@if command -v node >/dev/null && command -v npm >/dev/null; then \
	  for folder in $(NPM_FOLDERS); do \
	    [ -d $$folder/node_modules ] || npm ci --prefix $$folder --no-audit --no-fund || \
	      echo "make: npm ci in $$folder failed; the tests that need it will be skipped"; \
	  done; \
	fi
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

# The sanitizer build: address, undefined-behaviour and leak checks, the first finding
# stopping the program, asserts kept. The tests, then zqtest over every suite;
# ASAN_ZQTEST_OPTIONS adds options to that run (such as the performance suite's).
ASAN_BUILD ?= build-asan
ASAN_ZQTEST_OPTIONS ?=
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

asan:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_SANITIZE=ON -DZQ_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)
	mkdir -p $(ASAN_BUILD)/out
	$(SANITIZER_ENV) $(ASAN_BUILD)/harness/zqtest --suite all --out $(ASAN_BUILD)/out $(ASAN_ZQTEST_OPTIONS)

# The libFuzzer targets (clang 14, under the same sanitizers), each seeded from the
# suites' vectors and run FUZZ_SECONDS, JOBS at a time.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DZQ_SANITIZE=ON -DZQ_FUZZ=ON -DZQ_BUILD_TESTS=OFF -DZQ_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target zq_fuzzers
	$(SANITIZER_ENV) tools/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(JOBS)
