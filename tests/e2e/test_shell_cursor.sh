#!/usr/bin/env bash
# While Talmir has the input focus it puts the pointer back at (512, 384)
# after every frame; once another window has the focus it leaves the
# pointer alone.
source "$(dirname "$0")/common.sh"
open_viewer 1024x768
# Two frames: the viewer has taken the focus change. Three more after the
# move: had it still been putting the pointer back, it would have by then.
pointer_follows_focus "$window" "wait_for_frames 2" "wait_for_frames 3"

xdotool windowfocus --sync "$window"
settle "$window"
press "$window" Escape
expect_exit 27
