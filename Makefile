# Talmir's front door: `make run` starts the viewer, `make test` proves it.
# Both install what is missing first; CMake does the building. Here warnings
# fail the build (WERROR=OFF lets them pass); a plain CMake build reports them.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60
WERROR     ?= ON

.PHONY: all run test build build-asan deps bench fuzz clean

all: build

deps:
	@scripts/ensure-packages.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALMIR_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTALMIR_SANITIZE=ON -DTALMIR_WERROR=$(WERROR)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

test: build build-asan
	@scripts/test.sh $(BUILD) $(ASAN_BUILD)

bench: deps
	@TALMIR_WERROR=$(WERROR) scripts/bench.sh $(BENCH_BUILD)

fuzz: deps
	@TALMIR_WERROR=$(WERROR) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
