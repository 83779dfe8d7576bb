#!/usr/bin/env bash
# On a 1024x768 screen Talmir opens fullscreen; F1 gives a decorated window
# with a 1024x768 client area, F1 again fullscreen; Esc ends it. F1 held
# through the key repeat still switches only once.
source "$(dirname "$0")/common.sh"
open_viewer 1024x768
[[ "$(geometry "$window")" == "1024x768+0+0" ]] || fail "fullscreen geometry $(geometry "$window")"

# Hold F1 well into the key repeat, noting every window that appears.
xdotool windowfocus --sync "$window"
xdotool keydown F1
seen=$(for _ in $(seq 30); do window_id Talmir; sleep 0.1; done | sort -u | grep -c .)
xdotool keyup F1
((seen == 2)) || fail "holding F1 switched more than once ($seen windows)"
# The windowed client area sits inside a frame whose corner is the screen's.
window=$(wait_for_geometry Talmir "1024x768+8+31") || fail "no 1024x768 window after F1"
sleep 1.5  # the held key's release settles

press "$window" F1
window=$(wait_for_geometry Talmir "1024x768+0+0") || fail "not fullscreen again after the second F1"

settle "$window"
press "$window" Escape
expect_exit 27  # Esc ends with the wParam of the last message taken: the Esc key's code
