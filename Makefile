# Talmir's front door: `make run` starts the viewer, `make test` proves it.
# Both install what is missing first; CMake does the building.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
WEB_BUILD  ?= build-web
WEB_CMAKE_BUILD ?= build-web-cmake
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all run test build build-asan deps bench fuzz clean web web-serve

all: build

deps:
	@scripts/ensure-packages.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTALMIR_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

test: build build-asan web
	@scripts/test.sh $(BUILD) $(ASAN_BUILD)

# The page: WEB_BUILD gets index.html, index.js, index.wasm and index.data,
# built with Debian's emscripten from the same sources; the textures and
# sound come from the desktop build's generator. Debian's emcc finds its
# JavaScript tools under /usr/share/nodejs.
web: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target talmir-assets
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_CMAKE_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DTALMIR_WEB_ASSETS=$(abspath $(BUILD))/run -DTALMIR_WEB_OUT=$(abspath $(WEB_BUILD))
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_CMAKE_BUILD) -j $(JOBS)

# Serves the page on 127.0.0.1 (WEB_PORT, 8080 unless given) and prints the address.
WEB_PORT ?= 8080
web-serve: web
	@node scripts/web-serve.mjs $(WEB_BUILD) $(WEB_PORT)

bench: deps web
	@WEB_BUILD=$(WEB_BUILD) scripts/bench.sh $(BENCH_BUILD)

fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(WEB_BUILD) $(WEB_CMAKE_BUILD)
