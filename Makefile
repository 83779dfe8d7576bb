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
RELEASE_BUILD ?= build-release
DIST       ?= dist
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

.PHONY: all run check test build build-asan windows web web-serve install package dist release release-check bench fuzz clean

all: build

# The viewer, its tools and tests. The build renders a frame for the icon,
# which takes Mesa's drivers (the run purpose).
build:
	$(ENSURE) build run test
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS))

build-asan:
	$(ENSURE) build run test
	$(call cmake-build,$(ASAN_BUILD),$(ASAN_OPTIONS_CMAKE))

# Just the viewer and its data, from the same build folder; without a
# display, the screen grabber that keeps the screenshot too.
RUN_TARGETS = talmir talmir-assets $(if $(HEADLESS),screengrab)
run:
	$(ENSURE) build run test $(HEADLESS)
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS),$(RUN_TARGETS))
	@scripts/run.sh $(BUILD)

# The edit-and-test loop: the unit and GL tests of the Linux build, no end
# to end, no sanitizers, no Windows or browser. Each test program depends
# on the tools and data it runs (tests/CMakeLists.txt), so naming the test
# programs builds all of it.
check:
	$(ENSURE) build run test
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS),unit_tests gl_tests gl_subset_tests)
	ctest --test-dir $(BUILD) -L '^(unit|gl)$$' -j $(JOBS) --output-on-failure

# Windows, cross-built: build-windows/talmir.exe, the installer
# talmir-VERSION-setup.exe and the portable talmir-VERSION-windows.zip. The
# textures, sound and icon come from the generator and icon tool built for
# this machine, in the Linux build folder; the icon's frame is rendered there
# with Mesa (the run purpose).
# $(call windows-build,LINUX FOLDER,ITS OPTIONS,WINDOWS FOLDER,ITS OPTIONS)
define windows-build
cmake -S . -B $(1) $(CMAKE_OPTIONS) $(2)
cmake --build $(1) -j $(JOBS) --target talmir-assetgen talmir-windows-icon
cmake -S . -B $(3) $(CMAKE_OPTIONS) --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DTALMIR_ASSETGEN=$(abspath $(1))/talmir-assetgen -DTALMIR_WINDOWS_ICON=$(abspath $(1))/icons/windows/talmir.ico $(4)
cmake --build $(3) -j $(JOBS)
endef

windows:
	$(ENSURE) build run test windows
	$(call windows-build,$(BUILD),$(BUILD_OPTIONS),$(WIN_BUILD))

# The page: WEB_BUILD gets index.html, index.js, index.wasm and index.data,
# built with Debian's emscripten from the same sources, with what makes it an
# installable app that works offline (manifest.webmanifest, its icons, the
# service worker sw.js), and WEB_CMAKE_BUILD talmir-VERSION-web.zip. The
# textures, sound and icons come from the desktop build's generator and icon
# tool, in the Linux build folder; the icon's frame is rendered there with
# Mesa (the run purpose). Debian's emcc finds its JavaScript tools under
# /usr/share/nodejs.
# $(call web-build,LINUX FOLDER,ITS OPTIONS,WEB CMAKE FOLDER,PAGE FOLDER)
define web-build
cmake -S . -B $(1) $(CMAKE_OPTIONS) $(2)
cmake --build $(1) -j $(JOBS) --target talmir-assets talmir-web-icons
NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(3) $(CMAKE_OPTIONS) -DCMAKE_BUILD_TYPE=Release \
  -DTALMIR_WEB_ASSETS=$(abspath $(1))/run -DTALMIR_WEB_ICONS=$(abspath $(1))/icons/web \
  -DTALMIR_WEB_OUT=$(abspath $(4))
NODE_PATH=/usr/share/nodejs cmake --build $(3) -j $(JOBS)
endef

web:
	$(ENSURE) build run test web
	$(call web-build,$(BUILD),$(BUILD_OPTIONS),$(WEB_CMAKE_BUILD),$(WEB_BUILD))

# Serves the page on 127.0.0.1 (WEB_PORT, 8080 unless given) and prints the address.
WEB_PORT ?= 8080
web-serve: web
	@node scripts/web-serve.mjs $(WEB_BUILD) $(WEB_PORT)

# The Windows build's tests run under Wine, the Wayland ones under weston.
# The benchmarks are built (not run) with the tests, so a change that breaks
# `make bench` fails here.
test:
	$(ENSURE) build run headless test saver wayland windows web browser package validate
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS))
	$(call cmake-build,$(ASAN_BUILD),$(ASAN_OPTIONS_CMAKE))
	$(call windows-build,$(BUILD),$(BUILD_OPTIONS),$(WIN_BUILD))
	$(call web-build,$(BUILD),$(BUILD_OPTIONS),$(WEB_CMAKE_BUILD),$(WEB_BUILD))
	@scripts/test.sh $(BUILD) $(ASAN_BUILD) $(WIN_BUILD)

# make install [PREFIX=/usr/local] [DESTDIR=]: the program, its data, menu
# entry, icon, metadata, manual page and documents under PREFIX.
INSTALLED_TARGETS = talmir talmir-assets talmir-icons
install:
	$(ENSURE) build run test
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS),$(INSTALLED_TARGETS))
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# build/talmir_VERSION_amd64.deb, for apt-get install ./build/talmir_*.deb.
# CPack gives the package's folders and members the modes the umask allows:
# 022, as Debian's packages have them.
package:
	$(ENSURE) build run test package
	$(call cmake-build,$(BUILD),$(BUILD_OPTIONS),$(INSTALLED_TARGETS))
	cd $(BUILD) && umask 022 && cpack -G DEB

# The version, as the CMake project states it (the one place it is written).
VERSION := $(shell sed -n 's/^project.talmir VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)

# dist/talmir-VERSION.tar.gz: the last commit's sources (git archive).
dist:
	$(ENSURE) release
	@scripts/dist.sh $(DIST) $(VERSION)

# dist/ with the source tarball, the .deb, the Windows installer and zip,
# the page's zip and SHA256SUMS, from fresh build folders under
# RELEASE_BUILD: the Linux build without tests (its generator makes the
# assets all three carry), the Windows and the browser builds. Every file
# is dated SOURCE_DATE_EPOCH, the last commit's time (in a source tarball
# the same time, which git archive wrote into packaging/source-date-epoch:
# there the release is the other files, the same bytes as the clone's), so
# any clone of the same commit gives the same bytes; `make release-check`
# shows that it does.
RELEASE_EPOCH = $(if $(wildcard .git),$(shell git log -1 --format=%ct),$(shell cat packaging/source-date-epoch))
RELEASE_OPTIONS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALMIR_TESTS=OFF -DTALMIR_BENCH=OFF
RELEASE_FILES = $(RELEASE_BUILD)/linux/talmir_$(VERSION)_*.deb \
  $(RELEASE_BUILD)/windows/talmir-$(VERSION)-windows.zip $(RELEASE_BUILD)/windows/talmir-$(VERSION)-setup.exe \
  $(RELEASE_BUILD)/web-cmake/talmir-$(VERSION)-web.zip
release: export SOURCE_DATE_EPOCH = $(RELEASE_EPOCH)
release:
	$(ENSURE) build run package windows web release
	rm -rf $(RELEASE_BUILD) $(DIST)
	@$(if $(wildcard .git),scripts/dist.sh $(DIST) $(VERSION),mkdir -p $(DIST) && echo 'release: no .git here, so no source tarball')
	$(call cmake-build,$(RELEASE_BUILD)/linux,$(RELEASE_OPTIONS),$(INSTALLED_TARGETS) talmir-assetgen)
	cd $(RELEASE_BUILD)/linux && umask 022 && cpack -G DEB
	$(call windows-build,$(RELEASE_BUILD)/linux,$(RELEASE_OPTIONS),$(RELEASE_BUILD)/windows,-DTALMIR_TESTS=OFF)
	$(call web-build,$(RELEASE_BUILD)/linux,$(RELEASE_OPTIONS),$(RELEASE_BUILD)/web-cmake,$(RELEASE_BUILD)/web)
	cp $(RELEASE_FILES) $(DIST)/
	cd $(DIST) && LC_ALL=C sha256sum talmir* > SHA256SUMS && sha256sum -c SHA256SUMS
	@ls -l $(DIST)

# Two releases of the last commit, from clones in two folders, the second a
# few days later by its clock (faketime) in another time zone and umask,
# compared byte for byte; any file that differs is named and diffoscope
# shows how.
release-check:
	$(ENSURE) build run package windows web release reproduce
	@scripts/release-check.sh

bench:
	$(ENSURE) build run test bench web browser
	$(call web-build,$(BUILD),$(BUILD_OPTIONS),$(WEB_CMAKE_BUILD),$(WEB_BUILD))
	@TALMIR_WERROR=$(WERROR) WEB_BUILD=$(WEB_BUILD) scripts/bench.sh $(BENCH_BUILD)

fuzz:
	$(ENSURE) build fuzz
	@TALMIR_WERROR=$(WERROR) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(WIN_BUILD) $(WEB_BUILD) $(WEB_CMAKE_BUILD) $(RELEASE_BUILD) $(DIST)
