# The two set-up commands of the README: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS ?= 2
ARGS ?=
DEB_BUILD ?= build-deb
DEB_NOX_BUILD ?= build-deb-nox
WIN_BUILD ?= build-windows
WIN_TEST_BUILD ?= build-windows-test
FUZZ_SECONDS ?= 60

CMAKE_CONFIGURE = cmake -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The project's own builds stop at any warning; a packager's build (test-release) does not.
WERROR = -DQUELLIX_WERROR=ON

.PHONY: build run test test-nox test-sanitize test-release fuzz deb deb-nox test-package windows test-windows format check-source clean

build:
	scripts/install-deps.sh build gui
	$(CMAKE_CONFIGURE) -S . -B $(BUILD) -DQUELLIX_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS) --target quellix

run: build
	$(BUILD)/src/quellix $(ARGS)

# The benchmark drivers are built with the tests, and their scripts run on small trees, so that
# neither can rot unnoticed.
test:
	scripts/install-deps.sh test gui desktop bench
	$(CMAKE_CONFIGURE) -S . -B $(BUILD) -DQUELLIX_TESTS=ON -DQUELLIX_BENCH=ON $(WERROR)
	cmake --build $(BUILD) -j$(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# -O1 and line tables only: the sanitizers' reports need no more, and the build takes half the time.
test-sanitize:
	scripts/install-deps.sh test gui
	$(CMAKE_CONFIGURE) -S . -B $(ASAN_BUILD) -DQUELLIX_TESTS=ON -DQUELLIX_SANITIZE=ON $(WERROR) \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# The Debian packages, built as Debian builds: its default flags with every hardening option
# (-O2, fortify, stack protector, PIE, relro, bindnow), stripped, dependencies from the binary.
# A packager's build does not stop at a warning.
DEB_CONFIGURE = DEB_BUILD_MAINT_OPTIONS=hardening=+all; export DEB_BUILD_MAINT_OPTIONS; \
	cmake -G Ninja -DCMAKE_BUILD_TYPE=None -DQUELLIX_WERROR=OFF \
	-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"

# The tests of the desktop package's build, in the folder `deb` packs from: what is shipped is
# what was tested, and CI compiles it once.
test-release:
	scripts/install-deps.sh test gui release
	$(DEB_CONFIGURE) -S . -B $(DEB_BUILD) -DQUELLIX_TESTS=ON
	cmake --build $(DEB_BUILD) -j$(JOBS)
	ctest --test-dir $(DEB_BUILD) --output-on-failure -j$(JOBS)

# The headless program alone, for servers without Qt, built and tested without any Qt package
# in the folder `deb-nox` packs from.
test-nox:
	scripts/install-deps.sh test release
	$(DEB_CONFIGURE) -S . -B $(DEB_NOX_BUILD) -DQUELLIX_TESTS=ON -DQUELLIX_FRONT_END=none
	cmake --build $(DEB_NOX_BUILD) -j$(JOBS)
	ctest --test-dir $(DEB_NOX_BUILD) --output-on-failure -j$(JOBS)

deb:
	scripts/install-deps.sh build gui package
	$(DEB_CONFIGURE) -S . -B $(DEB_BUILD) -DQUELLIX_TESTS=OFF
	cmake --build $(DEB_BUILD) -j$(JOBS)
	rm -f $(DEB_BUILD)/package/*.deb && cd $(DEB_BUILD) && cpack -G DEB
	cp $(DEB_BUILD)/package/quellix_*.deb .

deb-nox:
	scripts/install-deps.sh build package
	$(DEB_CONFIGURE) -S . -B $(DEB_NOX_BUILD) -DQUELLIX_TESTS=OFF -DQUELLIX_FRONT_END=none
	cmake --build $(DEB_NOX_BUILD) -j$(JOBS)
	rm -f $(DEB_NOX_BUILD)/package/*.deb && cd $(DEB_NOX_BUILD) && cpack -G DEB
	cp $(DEB_NOX_BUILD)/package/quellix-nox_*.deb .

# Both packages checked (lintian, desktop entry, metainfo, contents, hardening), then each
# installed with apt into a fresh Debian made for the test, and run there as a normal user.
test-package: deb deb-nox
	scripts/install-deps.sh package-test
	scripts/test-package.sh $(DEB_BUILD)/package/quellix_*.deb $(DEB_NOX_BUILD)/package/quellix-nox_*.deb

# Windows, cross-built with MinGW-w64: quellix.exe (headless: -C and the service), and the tests
# of the Windows build run under a throw-away Wine, whose services' event-log entries are traced
# into a file for the service test.
WIN_CONFIGURE = cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	-DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR)

# The Windows program as users get it: a Release build, stripped, in a portable zip with its
# help pages, README and licence (dist/).
windows:
	scripts/install-deps.sh build windows
	$(WIN_CONFIGURE) -S . -B $(WIN_BUILD) -DQUELLIX_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN_BUILD) -j$(JOBS) --target quellix
	scripts/windows-zip.sh $(WIN_BUILD)

test-windows:
	scripts/install-deps.sh build windows wine
	$(WIN_CONFIGURE) -S . -B $(WIN_TEST_BUILD) -DQUELLIX_TESTS=ON
	cmake --build $(WIN_TEST_BUILD) -j$(JOBS)
	scripts/wine-run.sh $(WIN_TEST_BUILD) scripts/wine-service-trace.sh \
		ctest --test-dir $(WIN_TEST_BUILD) --output-on-failure -j$(JOBS)
	# The real program on a (virtual) display: its windows must appear; the pictures go to a
	# scratch folder (scripts/windows-screenshots.sh alone refreshes docs/screenshots).
	BUILD=$(WIN_TEST_BUILD) SCREENSHOT_DIR=$(WIN_TEST_BUILD)/screenshots scripts/windows-screenshots.sh

fuzz:
	scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ $(CMAKE_CONFIGURE) -S . -B $(FUZZ_BUILD) -DQUELLIX_TESTS=OFF -DQUELLIX_FRONT_END=none -DQUELLIX_FUZZ=ON $(WERROR)
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	scripts/run-fuzzers.sh $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

# What CI checks before building: the source is formatted, and the folders include each other
# only downwards (core never includes a front end, no cycle).
check-source:
	scripts/install-deps.sh lint
	git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run -Werror
	scripts/include-graph.py >/dev/null

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(DEB_BUILD) $(DEB_NOX_BUILD) \
		$(WIN_BUILD) $(WIN_TEST_BUILD)
