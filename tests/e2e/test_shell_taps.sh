#!/usr/bin/env bash
# Quick taps: a key pressed and released with no time between (both reach
# the viewer between two frames) still acts once. Ten Esc taps on ten starts
# end the viewer ten times; an F1 tap switches to the window and the next
# back to fullscreen.
source "$(dirname "$0")/common.sh"
start_xvfb 1024x768

for run in $(seq 10); do
  start_viewer
  window=$(wait_for_window Talmir 30) || fail "no window on start $run"
  settle "$window"
  press "$window" Escape
  wait_for_exit "$VIEWER_PID" 20 || fail "the Esc tap of start $run did not end the viewer"
  VIEWER_PID=
  [[ "$EXIT_CODE" == 27 ]] || fail "start $run ended with $EXIT_CODE, expected 27"
done

start_viewer
window=$(wait_for_window Talmir 30) || fail "no window for the F1 taps"
press "$window" F1
window=$(wait_for_geometry Talmir "1024x768+8+31") || fail "an F1 tap did not switch to the window"
press "$window" F1
window=$(wait_for_geometry Talmir "1024x768+0+0") || fail "the second F1 tap did not switch back"
settle "$window"
press "$window" Escape
expect_exit 27
