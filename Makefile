# Two commands: `make run` builds in Release and runs zqtest over all suites;
# `make test` builds and runs the unit and end-to-end tests.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build configure clean asan

configure:
	@command -v cmake >/dev/null || { echo "cmake missing: apt-get install -y cmake ninja-build"; exit 2; }
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	mkdir -p $(BUILD)/out
	$(BUILD)/harness/zqtest --suite all --out $(BUILD)/out

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

# The tests again under the address and undefined-behaviour sanitizers.
asan:
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_SANITIZE=ON -DZQ_BUILD_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)
