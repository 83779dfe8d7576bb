# Talmir's front door: `make run` starts the viewer, `make test` proves it
# (`make check` is its quick part), `make install` and `make package` put it
# where a desktop finds it.
# Each installs what it needs first (scripts/ensure-packages.sh, by purpose);
# CMake does the building. Here warnings fail the build (WERROR=OFF to let
# them pass); a plain CMake build only reports them.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
WIN_BUILD  ?= build-windows
WEB_BUILD  ?= build-web
WEB_CMAKE_BUILD ?= build-web-cmake
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60
WERROR     ?= ON
PREFIX     ?= /usr/local
DESTDIR    ?=

# Without a display `make run` shows the viewer on a virtual screen.
HEADLESS := $(if $(DISPLAY)$(WAYLAND_DISPLAY),,headless)

ENSURE = @scripts/ensure-packages.sh
CMAKE_OPTIONS = -DTALMIR_WERROR=$(WERROR)

# $(call cmake-build,FOLDER,OPTIONS[,TARGETS]): configure and build one build
# folder (only the targets named, where some are).
define cmake-build
cmake -S . -B $(1) $(CMAKE_OPTIONS) $(2)
cmake --build $(1) -j $(JOBS) $(if $(3),--target $(3))
endef

# Each build folder has one configuration, whichever command builds in it:
# BUILD is the Linux build with its tests and benchmarks (built when asked
# for), ASAN_BUILD the same under the sanitizers. Configuring the tests
# needs GoogleTest (the test purpose).
BUILD_OPTIONS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALMIR_TESTS=ON -DTALMIR_BENCH=ON
ASAN_OPTIONS_CMAKE = -DCMAKE_BUILD_TYPE=Debug -DTALMIR_SANITIZE=ON -DTALMIR_TESTS=ON

.PHONY: all run check test build build-asan windows web web-serve install package bench fuzz clean

all: build

# The viewer, its tools and tests. The build renders a frame for the icon,
# which takes Mesa's drivers (the run purpose).
build:
	$(ENSURE) build run test
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS))

build-asan:
	$(ENSURE) build run test
	$(call cmake-build,$(ASAN_BUILD),$(ASAN_OPTIONS_CMAKE))

# Just the viewer and its data, from the same build folder.
run:
	$(ENSURE) build run test $(HEADLESS)
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS),talmir talmir-assets)
	@scripts/run.sh $(BUILD)

# The edit-and-test loop: the unit and GL tests of the Linux build, no end
# to end, no sanitizers, no Windows or browser.
check:
	$(ENSURE) build run test
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS),unit_tests gl_tests gl_subset_tests talmir-assets)
	ctest --test-dir $(BUILD) -L '^(unit|gl)$$' -j $(JOBS) --output-on-failure

# Windows, cross-built: build-windows/talmir.exe and talmir-windows.zip. The
# textures and sound come from the generator built for this machine, in the
# Linux build folder.
define windows-build
cmake -S . -B $(BUILD) $(CMAKE_OPTIONS) $(BUILD_OPTIONS)
cmake --build $(BUILD) -j $(JOBS) --target talmir-assetgen
cmake -S . -B $(WIN_BUILD) $(CMAKE_OPTIONS) --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DTALMIR_ASSETGEN=$(abspath $(BUILD))/talmir-assetgen
cmake --build $(WIN_BUILD) -j $(JOBS)
endef

windows:
	$(ENSURE) build test windows
	$(windows-build)

# The page: WEB_BUILD gets index.html, index.js, index.wasm and index.data,
# built with Debian's emscripten from the same sources, and what makes it an
# installable app that works offline (manifest.webmanifest, its icons, the
# service worker sw.js). The textures, sound and icons come from the desktop
# build's generator and icon tool, in the Linux build folder; the icon's
# frame is rendered there with Mesa (the run purpose). Debian's emcc finds
# its JavaScript tools under /usr/share/nodejs.
define web-build
cmake -S . -B $(BUILD) $(CMAKE_OPTIONS) $(BUILD_OPTIONS)
cmake --build $(BUILD) -j $(JOBS) --target talmir-assets talmir-web-icons
NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_CMAKE_BUILD) $(CMAKE_OPTIONS) -DCMAKE_BUILD_TYPE=Release \
  -DTALMIR_WEB_ASSETS=$(abspath $(BUILD))/run -DTALMIR_WEB_ICONS=$(abspath $(BUILD))/icons/web \
  -DTALMIR_WEB_OUT=$(abspath $(WEB_BUILD))
NODE_PATH=/usr/share/nodejs cmake --build $(WEB_CMAKE_BUILD) -j $(JOBS)
endef

web:
	$(ENSURE) build run test web
	$(web-build)

# Serves the page on 127.0.0.1 (WEB_PORT, 8080 unless given) and prints the address.
WEB_PORT ?= 8080
web-serve: web
	@node scripts/web-serve.mjs $(WEB_BUILD) $(WEB_PORT)

# The Windows build's tests run under Wine. The benchmarks are built (not
# run) with the tests, so a change that breaks `make bench` fails here.
test:
	$(ENSURE) build run headless test windows web browser package validate
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS))
	$(call cmake-build,$(ASAN_BUILD),$(ASAN_OPTIONS_CMAKE))
	$(windows-build)
	$(web-build)
	@scripts/test.sh $(BUILD) $(ASAN_BUILD) $(WIN_BUILD)

# make install [PREFIX=/usr/local] [DESTDIR=]: the program, its data, menu
# entry, icon, metadata, manual page and documents under PREFIX.
INSTALLED_TARGETS = talmir talmir-assets talmir-icons
install:
	$(ENSURE) build run test
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS),$(INSTALLED_TARGETS))
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# build/talmir_VERSION_amd64.deb, for apt-get install ./build/talmir_*.deb
package:
	$(ENSURE) build run test package
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS),$(INSTALLED_TARGETS))
	cd $(BUILD) && cpack -G DEB

bench:
	$(ENSURE) build run test bench web browser
	$(web-build)
	@TALMIR_WERROR=$(WERROR) WEB_BUILD=$(WEB_BUILD) scripts/bench.sh $(BENCH_BUILD)

fuzz:
	$(ENSURE) build fuzz
	@TALMIR_WERROR=$(WERROR) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(WIN_BUILD) $(WEB_BUILD) $(WEB_CMAKE_BUILD)
