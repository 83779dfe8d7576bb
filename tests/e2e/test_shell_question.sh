#!/usr/bin/env bash
# On an 800x600 screen the fullscreen mode cannot be set: Talmir asks. Yes
# opens the 1024x768 window; No says the program will close and ends with 0.
source "$(dirname "$0")/common.sh"
start_xvfb 800x600

start_viewer
box=$(wait_for_window "Kvel GL" 30) || fail "no question box"
xdotool key --window "$box" Return
window=$(wait_for_geometry Talmir "1024x768+8+31") || fail "no 1024x768 window after Yes"
settle "$window"
press "$window" Escape
expect_exit 27

start_viewer
box=$(wait_for_window "Kvel GL" 30) || fail "no question box on the second start"
xdotool key --window "$box" Escape
box=$(wait_for_window ERROR 15) || fail "no closing box after No"
[[ -z "$(window_id Talmir)" ]] || fail "a Talmir window opened after No"
xdotool key --window "$box" Return
expect_exit 0
