#!/usr/bin/env bash
# Builds the benchmarks (bench/*.cpp, one program each) in Release into BUILD
# and runs every one of them. Usage: scripts/bench.sh [BUILD]
# TALMIR_WERROR=ON makes warnings fail the build, as `make bench` does.
set -euo pipefail

build="${1:-build-bench}"
cd "$(dirname "$0")/.."

benchmarks=()
for source in bench/*.cpp; do benchmarks+=("$(basename "$source" .cpp)"); done

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTALMIR_BENCH=ON -DTALMIR_TESTS=OFF \
  -DTALMIR_WERROR="${TALMIR_WERROR:-OFF}" > "$build.configure.log" \
  || { cat "$build.configure.log"; exit 1; }
rm -f "$build.configure.log"
cmake --build "$build" -j "$(nproc)" --target "${benchmarks[@]}"

for name in "${benchmarks[@]}"; do
  echo "== $name"
  "$build/$name"
done
