# Two commands: `make run` builds the two libraries and zqtest in Release and runs
# every suite, writing the reports into $(OUT); `make test` builds everything and
# runs the unit, end-to-end and browser tests.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
OUT ?= $(BUILD)/out

.PHONY: run test build configure clean asan fuzz coverage golden

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

# Rewrites the golden listings in tests/golden/ from this tree's suites (only those
# that changed, and only when the clean runs pass every check), and the transcripts of
# zqtest's runs over the fixtures in tests/golden/e2e/: after a change to a suite's or
# zqtest's messages has been reviewed.
golden: configure
	cmake --build $(BUILD) -j $(JOBS) --target test_suites test_e2e
	ZQ_GOLDEN_WRITE=1 $(BUILD)/tests/test_suites --gtest_filter='EverySuiteAndScenario/*' \
	  --gtest_brief=1
	ZQ_GOLDEN_WRITE=1 $(BUILD)/tests/test_e2e --gtest_brief=1

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

# Line and branch coverage of the tests and of one zqtest run over every suite: gcc's
# --coverage at -O1 with the asserts kept, in its own build folder; gcovr counts,
# leaving out throw and unreachable branches, the tests, benchmarks, fuzz targets,
# tools and the generated Unicode tables; the summary gives each folder, the whole
# tree and the files under 90 % of their lines.
COVERAGE_BUILD ?= build-coverage
COVERAGE_FLAGS = -O1 --coverage

coverage:
	@command -v gcovr >/dev/null || { echo "gcovr missing: apt-get install -y gcovr"; exit 2; }
	cmake -S . -B $(COVERAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Coverage -DZQ_BUILD_BENCH=OFF \
	  -DCMAKE_C_FLAGS_COVERAGE="$(COVERAGE_FLAGS)" -DCMAKE_CXX_FLAGS_COVERAGE="$(COVERAGE_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS_COVERAGE=--coverage -DCMAKE_SHARED_LINKER_FLAGS_COVERAGE=--coverage
	cmake --build $(COVERAGE_BUILD) -j $(JOBS)
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	ctest --test-dir $(COVERAGE_BUILD) --output-on-failure -j $(JOBS)
	mkdir -p $(COVERAGE_BUILD)/out
	$(COVERAGE_BUILD)/harness/zqtest --suite all --perf-routine all --perf-iterations 1000 \
	  --out $(COVERAGE_BUILD)/out > $(COVERAGE_BUILD)/out/zqtest.txt \
	  || { cat $(COVERAGE_BUILD)/out/zqtest.txt; exit 1; }
	gcovr --root . --object-directory $(COVERAGE_BUILD) -j $(JOBS) \
	  --exclude-throw-branches --exclude-unreachable-branches \
	  --exclude 'tests/' --exclude 'bench/' --exclude 'fuzz/' --exclude 'tools/' \
	  --exclude 'build[^/]*/' --exclude 'kstr/case_tables\.cpp' --exclude 'kstr/unicode_tables\.h' \
	  --json-summary $(COVERAGE_BUILD)/coverage.json
	python3 tools/coverage_summary.py $(COVERAGE_BUILD)/coverage.json
