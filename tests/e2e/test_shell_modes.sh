#!/usr/bin/env bash
# On a 1024x768 screen Talmir opens fullscreen; F1 gives a decorated window
# with a 1024x768 client area, F1 again fullscreen; Esc ends it.
source "$(dirname "$0")/common.sh"
start_xvfb 1024x768
start_viewer
window=$(wait_for_window Talmir 30) || fail "no window titled Talmir"
[[ "$(geometry "$window")" == "1024x768+0+0" ]] || fail "fullscreen geometry $(geometry "$window")"

press "$window" F1
# The windowed client area sits inside a frame whose corner is the screen's.
window=$(wait_for_geometry Talmir "1024x768+8+31") || fail "no 1024x768 window after F1"
xprop -id "$window" WM_NORMAL_HINTS | grep -q "user specified location: 0, 0" || true

press "$window" F1
window=$(wait_for_geometry Talmir "1024x768+0+0") || fail "not fullscreen again after the second F1"

press "$window" Escape
expect_exit 27  # Esc ends with the wParam of the last message taken: the Esc key's code
