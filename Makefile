# `make run` plays the game, `make test` checks it. Both install what a fresh
# Debian 12 machine lacks, configure and build first; ./run.sh and ./test.sh at
# the top install make itself and then call them.

BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# One job per core, as the README says.
JOBS ?= $(shell nproc)

BUILD_PACKAGES := cmake g++ make pkg-config libsdl2-dev googletest libgtest-dev libgmock-dev \
                  libbenchmark-dev
TEST_PACKAGES := xvfb xdotool imagemagick sox
FUZZ_PACKAGES := clang libclang-rt-14-dev
SOAK_PACKAGES := valgrind
BENCH_PACKAGES := time
# The Windows build: cross-compiled with mingw-w64 (GoogleTest from its source
# package), its tests run under Wine, the real program's under Wine and Xvfb.
WINDOWS_BUILD ?= build-windows
WINDOWS_PACKAGES := cmake g++ make g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix googletest
WINDOWS_TEST_PACKAGES := wine wine64 xvfb xdotool imagemagick sox pulseaudio pulseaudio-utils
# The browser build: emscripten (offline, from Debian; its optimizer needs
# Debian's Node.js modules on NODE_PATH) and GoogleTest from source; its page
# played in Debian's Chromium, driven by puppeteer-core from the npm registry.
WEB_BUILD ?= build-web
WEB_PACKAGES := cmake g++ make emscripten googletest
WEB_TEST_PACKAGES := chromium imagemagick sox
WEB_PORT ?= 8000
export NODE_PATH := /usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))

.PHONY: all deps test-deps build run test test-asan soak bench fuzz format format-check clean \
        package test-package windows windows-zip test-windows web run-web test-web

all: build

deps:
	@scripts/install-deps.sh $(BUILD_PACKAGES)

test-deps: deps
	@scripts/install-deps.sh $(TEST_PACKAGES)

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/run && ./stackwell

test: test-deps build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE soak

test-asan: test-deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DGAME_SANITIZE=ON -DGAME_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	# The play under a virtual X server is left out here: it times real key presses against a
	# game slowed several times by the sanitizers, and the normal build already runs it.
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -E e2e_play_under_x -LE soak

# About a thousand games of random play, each frame checked, and one run under
# valgrind; not part of `make test`.
soak: test-deps build
	@scripts/install-deps.sh $(SOAK_PACKAGES)
	cmake -S . -B $(BUILD)
	ctest --test-dir $(BUILD) --output-on-failure -L soak

bench: test-deps build
	@scripts/install-deps.sh $(BENCH_PACKAGES)
	bench/run-all.sh $(BUILD)
	@if [ -d $(WEB_BUILD)/site ]; then bench/web.sh $(WEB_BUILD) $(BUILD); \
	else echo "No browser build ($(WEB_BUILD)): make web first for the browser's figures."; fi

fuzz:
	@scripts/install-deps.sh $(BUILD_PACKAGES) $(FUZZ_PACKAGES)
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_FUZZ=ON \
	  -DGAME_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	fuzz/run-short.sh $(FUZZ_BUILD)

# build-windows/run/stackwell.exe beside the data files, which the asset
# generator, built for this machine first, draws and composes.
windows:
	@scripts/install-deps.sh $(WINDOWS_PACKAGES)
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# The zip a Windows player unpacks and double-clicks: the program, its data
# files and a short read-me.
windows-zip: windows
	cmake --build $(WINDOWS_BUILD) --target windows_zip

# The Windows build's tests under Wine: (1) the headless test suites, one Wine
# process each, and the check that the Windows build shows the same frames as
# the Linux build (whose frame recorder is built here first); (2) the real
# program under Wine and Xvfb (tests/win32/play_under_wine.sh); then the frame
# drawing figure from the benchmark built for Windows, for information.
test-windows: deps windows $(BUILD)/CMakeCache.txt
	@scripts/install-deps.sh $(WINDOWS_TEST_PACKAGES)
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS) --target frame_dump
	cmake -S . -B $(WINDOWS_BUILD) -DGAME_LINUX_BUILD=$(abspath $(BUILD))
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j $(JOBS) -LE soak
	@if [ -x tests/win32/play_under_wine.sh ]; then \
	  tests/win32/play_under_wine.sh $(WINDOWS_BUILD); \
	else \
	  echo "tests/win32/play_under_wine.sh is not there: the real program is not tested"; \
	fi
	cd $(WINDOWS_BUILD)/run && $(CURDIR)/scripts/wine-run.sh $(abspath $(WINDOWS_BUILD))/wine-prefix \
	  ../bench/frame_timing.exe

# build-web/site/: the page, the program's .js and .wasm and the data files,
# for any static web server.
web:
	@scripts/install-deps.sh $(WEB_PACKAGES)
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WEB_BUILD) -j $(JOBS)

run-web: web
	@echo "The game is at http://localhost:$(WEB_PORT)/ (Ctrl-C stops serving it)"
	cd $(WEB_BUILD)/site && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# The browser build's tests: the headless suites and the frame recorder under
# Node.js (the frames compared with the Linux build's, whose recorder is built
# first), then the page itself in headless Chromium (tests/web).
test-web: deps web $(BUILD)/CMakeCache.txt
	@scripts/install-deps.sh $(WEB_TEST_PACKAGES)
	cmake --build $(BUILD) -j $(JOBS) --target frame_dump
	emcmake cmake -S . -B $(WEB_BUILD) -DGAME_LINUX_BUILD=$(abspath $(BUILD))
	cmake --build $(WEB_BUILD) -j $(JOBS)
	ctest --test-dir $(WEB_BUILD) --output-on-failure -j $(JOBS) -LE soak
	command -v npm >/dev/null || scripts/install-deps.sh npm
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	node tests/web/play_in_browser.mjs $(abspath $(WEB_BUILD))/site \
	  $(abspath $(WEB_BUILD))/host-tools/screen_probe $(abspath $(WEB_BUILD))/page-test

format:
	find platform rules flow video audio app program tools tests bench fuzz -name '*.cpp' -o -name '*.h' \
	  | xargs clang-format -i

format-check:
	find platform rules flow video audio app program tools tests bench fuzz -name '*.cpp' -o -name '*.h' \
	  | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) $(WINDOWS_BUILD) $(WEB_BUILD) \
	  stackwell_*.deb

# The Debian package, stackwell_VERSION_ARCH.deb in this folder: built in a
# folder of its own with Debian's compiler and linker flags (hardened), and
# packed by CPack from the install rules (cmake/install.cmake). Only the
# program and its data are built there; the tests are left to `make test`.
PACKAGE_BUILD ?= build-package
PACKAGE_PACKAGES := dpkg-dev file
PACKAGE_TEST_PACKAGES := lintian desktop-file-utils man-db
package:
	@scripts/install-deps.sh $(BUILD_PACKAGES) $(PACKAGE_PACKAGES)
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all && \
	  cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=None -DGAME_BENCHMARKS=OFF \
	    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	    "-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	    "-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target stackwell
	rm -f $(PACKAGE_BUILD)/stackwell_*.deb stackwell_*.deb
	cd $(PACKAGE_BUILD) && cpack
	cp $(PACKAGE_BUILD)/stackwell_*.deb .

# Checks, installs, starts and removes the package (scripts/test-package.sh);
# the title screen is seen through the probe of bench/probe.
test-package: package
	@scripts/install-deps.sh $(PACKAGE_TEST_PACKAGES)
	cmake -S . -B $(BUILD) -DGAME_BENCHMARKS=ON
	cmake --build $(BUILD) -j $(JOBS) --target stackwell_probe screen_probe
	scripts/test-package.sh stackwell_*.deb $(BUILD)/bench/libstackwell_probe.so \
	  $(BUILD)/tests/screen_probe
