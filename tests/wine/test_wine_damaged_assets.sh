#!/usr/bin/env bash
# Damaged assets, in a copy of the run folder, under Wine: a missing
# Tex/List/krik.bmp gives "Initialization Failed." alone; an empty
# Tex/zem.bmp, which Windows refuses to map, first the loader's open failure
# naming it, then "Initialization Failed.". Both end with exit code 0.
source "$(dirname "$0")/common.sh"
copy=$(mktemp -d)
trap 'stop_viewer; wine_server_stop; stop_xvfb; rm -f "$VIEWER_LOG"; rm -rf "$copy"' EXIT

damaged_copy() {  # what to do to the copy, as a command run inside it
  rm -rf "$copy/run"
  cp -r "$BUILD/run" "$copy/run"
  (cd "$copy/run" && eval "$1")
}

start_in_copy() {
  # The data beside the program would be found first: name the copy.
  (cd "$copy/run" && TALMIR_DATA_DIR="$copy/run" exec timeout --kill-after=5 120 "$WINE" "$BUILD/talmir.exe") \
    > "$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

start_wine_screen 1024x768

damaged_copy "rm Tex/List/krik.bmp"
start_in_copy
[[ "$(box_text ERROR)" == "Initialization Failed." ]] || fail "missing krik.bmp says: $(box_text ERROR)"
[[ -z "$(window_id Talmir)" ]] || fail "the window is still there while the box is shown"
answer_box ERROR Return
expect_exit 0

damaged_copy ": > Tex/zem.bmp"
start_in_copy
# The loader's text ends in a line feed of its own.
[[ "$(box_text Error)" == "Failed to open DIB file Tex/zem.bmp." ]] || fail "empty zem.bmp says: $(box_text Error)"
[[ -z "$(window_id ERROR)" ]] || fail "the closing box came before the loader's"
answer_box Error Return
[[ "$(box_text ERROR)" == "Initialization Failed." ]] || fail "after the loader's box: $(box_text ERROR)"
answer_box ERROR Return
expect_exit 0
[[ -s "$BUILD/run/Tex/zem.bmp" && -s "$BUILD/run/Tex/List/krik.bmp" ]] || fail "the build's run folder was damaged"
