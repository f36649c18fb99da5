# Two commands for a newcomer: `make run` plays the game, `make test` checks it.
# Both install what a fresh Debian 12 machine lacks, configure and build first.

BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
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
WINDOWS_PACKAGES := cmake g++ make g++-mingw-w64-x86-64 googletest
WINDOWS_TEST_PACKAGES := wine wine64 xvfb xdotool imagemagick

.PHONY: all deps test-deps build run test test-asan soak bench fuzz format format-check clean \
        windows windows-zip test-windows

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

format:
	find platform rules flow video audio app tools tests bench fuzz -name '*.cpp' -o -name '*.h' \
	  | xargs clang-format -i

format-check:
	find platform rules flow video audio app tools tests bench fuzz -name '*.cpp' -o -name '*.h' \
	  | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
