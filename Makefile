# Talmir's front door: `make run` starts the viewer, `make test` proves it.
# Both install what is missing first; CMake does the building.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
WIN_BUILD  ?= build-windows
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all run test build build-asan deps deps-windows windows bench fuzz clean

all: build

deps:
	@scripts/ensure-packages.sh

deps-windows:
	@scripts/ensure-packages.sh windows

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTALMIR_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

# Windows, cross-built: build-windows/talmir.exe and talmir-windows.zip. The
# textures and sound come from the generator built for this machine.
windows: deps deps-windows
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target talmir-assetgen
	cmake -S . -B $(WIN_BUILD) --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DTALMIR_ASSETGEN=$(abspath $(BUILD))/talmir-assetgen
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The Windows build's tests run under Wine.
test: build build-asan windows
	@scripts/test.sh $(BUILD) $(ASAN_BUILD) $(WIN_BUILD)

bench: deps
	@scripts/bench.sh $(BENCH_BUILD)

fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(WIN_BUILD)
