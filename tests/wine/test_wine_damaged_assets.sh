#!/usr/bin/env bash
# Damaged assets, in a copy of the run folder, under Wine: a missing
# Tex/List/krik.bmp gives "Initialization Failed." alone; an empty
# Tex/zem.bmp, which Windows refuses to map, first the loader's open failure
# naming it, then "Initialization Failed.". Both end with exit code 0.
source "$(dirname "$0")/common.sh"
copy=$(mktemp -d)
CLEANUP+=("$copy")

start_in_copy() {
  # The data beside the program would be found first: name the copy.
  (cd "$copy/run" && TALMIR_DATA_DIR="$copy/run" exec timeout --kill-after=5 120 "$WINE" "$BUILD/talmir.exe") \
    > "$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

start_screen 1024x768

damaged_copy "$copy" "rm Tex/List/krik.bmp"
start_in_copy
expect_box ERROR "Initialization Failed." "missing krik.bmp"
[[ -z "$(window_id Talmir)" ]] || fail "the window is still there while the box is shown"
answer_box ERROR Return
expect_exit 0

damaged_copy "$copy" ": > Tex/zem.bmp"
start_in_copy
# The loader's text ends in a line feed of its own.
expect_box Error "Failed to open DIB file Tex/zem.bmp." "empty zem.bmp"
[[ -z "$(window_id ERROR)" ]] || fail "the closing box came before the loader's"
answer_box Error Return
expect_box ERROR "Initialization Failed." "after the loader's box"
answer_box ERROR Return
expect_exit 0
[[ -s "$BUILD/run/Tex/zem.bmp" && -s "$BUILD/run/Tex/List/krik.bmp" ]] || fail "the build's run folder was damaged"
