#!/usr/bin/env bash
# The README's first commands as a new user meets them, each in a fresh copy
# of the tree with no build folder, one after the other: `make run` without
# a display builds what it needs and leaves a screenshot of the landscape;
# `make run` with a display opens the window titled Talmir, which Esc ends
# as a normal end; `make check` builds its own tests and tools and passes.
source "$(dirname "$0")/common.sh"
if [[ "$TALMIR_SANITIZE" == ON ]]; then
  echo "run in the normal build's tests: the clone builds the same either way"
  exit 77
fi
fresh=$(fresh_copy)
CLEANUP+=("$fresh")
cd "$fresh"

env -u DISPLAY -u WAYLAND_DISPLAY make run > run.log 2>&1 || fail "make run without a display failed: $(tail -20 run.log)"
[[ -f build/screenshot.png ]] || fail "make run without a display left no build/screenshot.png: $(tail -5 run.log)"
# The first frames to reach the screen look down on the ground, with only
# a thin band of sky in the fog's colour (a few per mille of the screen,
# some 40 once the view has turned): plants and grass fill the rest.
eval "$("$BUILD/tests/picture_stats" build/screenshot.png)" || fail "cannot read build/screenshot.png"
echo "make run's screenshot: text=$text green=$green fog=$fog"
((text > 300)) || fail "no overlay lines in the screenshot (text=$text)"
((green > 300)) || fail "no landscape in the screenshot: green=$green per mille"
((fog > 3)) || fail "no sky in the fog colour in the screenshot: fog=$fog per mille"

start_screen 1024x768
make run > "$VIEWER_LOG" 2>&1 &
VIEWER_PID=$!
window=$(wait_for_window Talmir 120) || fail "make run with a display opened no window titled Talmir"
settle "$window"
press "$window" Escape
expect_exit 0

make check > check.log 2>&1 || fail "make check failed in a fresh clone: $(grep -E 'tests passed|\(Failed\)|Error|error:' check.log | tail -20)"
grep -E '^100% tests passed' check.log || fail "make check ran no tests: $(tail -5 check.log)"
