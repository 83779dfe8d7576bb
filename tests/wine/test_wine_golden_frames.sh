#!/usr/bin/env bash
# The Windows build's frames against the Linux golden frames: talmir-frames.exe
# runs the viewer's own WinMain under Wine, its window hidden, with the same
# scripted input as tests/gl/golden_frames_test.cpp, and picture_compare.exe
# holds each frame against tests/golden/ under the goldens' own tolerance,
# that of the same driver (support/frame_tolerance.h). The screen is larger
# than the window, so that Windows gives the window its whole 1024x768
# client area.
source "$(dirname "$0")/common.sh"
frames=$(mktemp -d)
CLEANUP+=("$frames")
start_screen 1280x1024

render() {  # OUTDIR ARGUMENTS...: talmir-frames.exe writes the frames asked for
  local out=$1
  shift
  timeout --kill-after=5 240 "$WINE" "$BUILD/talmir-frames.exe" --run-dir "$BUILD/run" --out "$out" "$@" \
    >> "$VIEWER_LOG" 2>&1 || fail "talmir-frames.exe $* ended with $?"
}

expect_golden() {  # NAME FRAME.png
  local said difference=$BUILD/wine-$1-difference.png
  local sameSize mean largest changedShare meanLimit largestLimit changedShareLimit within
  said=$(timeout 60 "$WINE" "$BUILD/picture_compare.exe" frame driver "$TALMIR_SOURCE_DIR/tests/golden/$1.png" "$2" \
    "$difference") || fail "$1: picture_compare.exe ended with $?"
  eval "$said"
  ((sameSize)) || fail "$1: the frame's size is not the golden frame's"
  said="mean $mean (limit $meanLimit), share of pixels off by more than 32 $changedShare"
  said+=" (limit $changedShareLimit), largest $largest (limit $largestLimit)"
  ((within)) || fail "$1: $said (difference picture: $difference)"
  echo "$1: $said"
}

render "$frames/still" --frames 1,200
expect_golden still-1 "$frames/still/frame-1.png"
expect_golden still-200 "$frames/still/frame-200.png"

render "$frames/flight" --hold A:10-14 --hold rbutton:20-60 --hold left:40-55 --mouse 0,-40@30 --frames 60
expect_golden flight-60 "$frames/flight/frame-60.png"
