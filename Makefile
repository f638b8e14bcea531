# The two set-up commands of the README: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
RELEASE_BUILD ?= build-release
JOBS ?= 2
ARGS ?=
NOX_BUILD ?= build-nox
FUZZ_SECONDS ?= 60

CMAKE_CONFIGURE = cmake -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The project's own builds stop at any warning; a packager's build (test-release) does not.
WERROR = -DQUELLIX_WERROR=ON

.PHONY: build run test test-nox test-sanitize test-release fuzz format clean

build:
	scripts/install-deps.sh build gui
	$(CMAKE_CONFIGURE) -S . -B $(BUILD) -DQUELLIX_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS) --target quellix

run: build
	$(BUILD)/src/quellix $(ARGS)

test:
	scripts/install-deps.sh test gui
	$(CMAKE_CONFIGURE) -S . -B $(BUILD) -DQUELLIX_TESTS=ON $(WERROR)
	cmake --build $(BUILD) -j$(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The headless program alone, for servers without Qt: built and tested without any Qt package.
test-nox:
	scripts/install-deps.sh test
	$(CMAKE_CONFIGURE) -S . -B $(NOX_BUILD) -DQUELLIX_TESTS=ON -DQUELLIX_GUI=OFF $(WERROR)
	cmake --build $(NOX_BUILD) -j$(JOBS)
	ctest --test-dir $(NOX_BUILD) --output-on-failure -j$(JOBS)

test-sanitize:
	scripts/install-deps.sh test gui
	$(CMAKE_CONFIGURE) -S . -B $(ASAN_BUILD) -DQUELLIX_TESTS=ON -DQUELLIX_SANITIZE=ON $(WERROR)
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# Built as a Debian package would be: Release, with Debian's default compiler and linker flags.
test-release:
	scripts/install-deps.sh test gui release
	cmake -G Ninja -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DQUELLIX_TESTS=ON \
		-DQUELLIX_WERROR=OFF \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(RELEASE_BUILD) -j$(JOBS)
	ctest --test-dir $(RELEASE_BUILD) --output-on-failure -j$(JOBS)

fuzz:
	scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ $(CMAKE_CONFIGURE) -S . -B $(FUZZ_BUILD) -DQUELLIX_TESTS=OFF -DQUELLIX_GUI=OFF -DQUELLIX_FUZZ=ON $(WERROR)
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	scripts/run-fuzzers.sh $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(NOX_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD)
