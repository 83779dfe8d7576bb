#!/usr/bin/env bash
# Builds the bitmap loader's fuzz target with clang (libFuzzer, ASan, UBSan),
# seeds its corpus from generated files and runs it for FUZZ_SECONDS; any
# crash, leak or sanitizer report fails the run and leaves the input in
# BUILD/fuzz-crashes/. Usage: FUZZ_SECONDS=60 scripts/fuzz.sh [BUILD]
# TALMIR_WERROR=ON makes warnings fail the build, as `make fuzz` does.
set -euo pipefail

build="${1:-build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
cd "$(dirname "$0")/.."

cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALMIR_FUZZ=ON -DTALMIR_TESTS=OFF \
  -DTALMIR_WERROR="${TALMIR_WERROR:-OFF}" > "$build.configure.log" \
  || { cat "$build.configure.log"; exit 1; }
rm -f "$build.configure.log"
cmake --build "$build" -j "$(nproc)" --target bitmap_fuzz bitmap_seeds

seeds="$build/fuzz-seeds"
corpus="$build/fuzz-corpus"   # kept between runs, so each run goes on from the last
crashes="$build/fuzz-crashes"
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus" "$crashes"
"$build/bitmap_seeds" "$seeds"

echo "Fuzzing the bitmap loader for $seconds s"
set +e
"$build/bitmap_fuzz" "$corpus" "$seeds" \
  -dict=fuzz/bitmap.dict -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=4096 \
  -artifact_prefix="$crashes/" -print_final_stats=1 > "$build/fuzz.log" 2>&1
status=$?
set -e
grep -E "^#[0-9]+[[:space:]]+(INITED|DONE)|stat::|ERROR|SUMMARY|Test unit written" "$build/fuzz.log" || true
if [[ $status -ne 0 ]]; then
  echo "The fuzzer found a failure (exit $status); the input is in $crashes/ and the log in $build/fuzz.log" >&2
  exit 1
fi
echo "No failures; corpus: $(ls "$corpus" | wc -l) inputs in $corpus"
