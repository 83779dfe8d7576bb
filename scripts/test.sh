#!/usr/bin/env bash
# Runs the whole suite (unit, GL, end to end) in each build folder given:
# the normal build, then the sanitizer build.
set -euo pipefail
status=0
for build in "$@"; do
  echo "== tests in $build"
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" || status=1
done
exit $status
