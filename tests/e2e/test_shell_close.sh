#!/usr/bin/env bash
# Closing the window (the close box, Alt+F4, the terminal's interrupt) ends
# Talmir with exit code 0.
source "$(dirname "$0")/common.sh"
start_xvfb 1024x768

start_viewer
window=$(wait_for_window Talmir 30) || fail "no window titled Talmir"
"$BUILD/tests/xclose" "$window"
expect_exit 0

start_viewer
window=$(wait_for_window Talmir 30) || fail "no window on the second start"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key alt+F4
expect_exit 0

start_viewer
wait_for_window Talmir 30 >/dev/null || fail "no window on the third start"
kill -INT "$VIEWER_PID"
expect_exit 0
