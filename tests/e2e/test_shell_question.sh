#!/usr/bin/env bash
# On an 800x600 screen the fullscreen mode cannot be set: Talmir asks. Yes
# opens the 1024x768 window; No says the program will close and ends with 0.
source "$(dirname "$0")/common.sh"
start_xvfb 800x600

answer_the_mode_question Return
window=$(wait_for_geometry Talmir "1024x768+8+31") || fail "no 1024x768 window after Yes"
settle "$window"
press "$window" Escape
expect_exit 27

answer_the_mode_question Escape "on the second start"
[[ -z "$(window_id Talmir)" ]] || fail "a Talmir window opened after No"
xdotool key --window "$CLOSING_BOX" Return
expect_exit 0
