#!/usr/bin/env bash
# As on Linux: while talmir.exe's window is in front it puts the pointer
# back at (512, 384) after every frame; once another window has the focus
# it leaves the pointer alone.
source "$(dirname "$0")/common.sh"
open_viewer 1024x768
pointer_follows_focus "$window" "sleep 0.5" "sleep 1.5"

# Back to the viewer with a click, as a user would: without a window manager
# Wine takes a click, not a bare change of X focus, as the window coming to
# the front (the program swallows the left button).
xdotool mousemove 300 300 click 1
settle "$window"
press "$window" Escape
expect_exit 27
