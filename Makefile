# The two set-up commands of the README: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS ?= 2
ARGS ?= -C
FUZZ_SECONDS ?= 60

CMAKE_CONFIGURE = cmake -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: build run test test-sanitize fuzz format clean

build:
	scripts/install-deps.sh build
	$(CMAKE_CONFIGURE) -S . -B $(BUILD) -DQUELLIX_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS) --target quellix

run: build
	$(BUILD)/src/quellix $(ARGS)

test:
	scripts/install-deps.sh test
	$(CMAKE_CONFIGURE) -S . -B $(BUILD) -DQUELLIX_TESTS=ON
	cmake --build $(BUILD) -j$(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-sanitize:
	scripts/install-deps.sh test
	$(CMAKE_CONFIGURE) -S . -B $(ASAN_BUILD) -DQUELLIX_TESTS=ON -DQUELLIX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

fuzz:
	scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ $(CMAKE_CONFIGURE) -S . -B $(FUZZ_BUILD) -DQUELLIX_TESTS=OFF -DQUELLIX_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	scripts/run-fuzzers.sh $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
