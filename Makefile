# Two commands: `make run` builds the two libraries and zqtest in Release and runs
# every suite, writing the reports into $(OUT); `make test` builds everything and
# runs the unit, end-to-end and browser tests.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
OUT ?= $(BUILD)/out

.PHONY: run test build configure clean asan

configure:
	@command -v cmake >/dev/null || { echo "cmake missing: apt-get install -y cmake ninja-build"; exit 2; }
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target zqtest
	$(BUILD)/harness/zqtest --suite all --perf-routine all --perf-iterations 1000 --out $(OUT) \
	  --html $(OUT)/report.html --junit $(OUT)/results.xml --json $(OUT)/results.json \
	  --perf-csv $(OUT)/perf.csv

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

# The tests again under the address and undefined-behaviour sanitizers.
asan:
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_SANITIZE=ON -DZQ_BUILD_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)
