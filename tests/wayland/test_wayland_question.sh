#!/usr/bin/env bash
# On an 800x600 output Wayland offers no 1024x768 fullscreen mode (SDL's
# emulated modes are all smaller than the output's own), so Talmir asks, as
# on X11. The box is SDL's X11 one, on DISPLAY beside weston (XWayland's on a
# Wayland desktop). Yes opens the 1024x768 window, larger than the output,
# which shows its top left; No says the program will close and ends with 0.
source "$(dirname "$0")/common.sh"
start_screen 800x600

answer_the_mode_question Return
wait_for_picture "text > 300" 0 "$WINDOW_TOP" || fail "no framed window after Yes (text=$text)"
settle "$OUTPUT"
press "$OUTPUT" Escape
expect_exit 27

answer_the_mode_question Escape "on the second start"
picture 0 "$WINDOW_TOP"
((text < 100)) || fail "a Talmir window opened after No (text=$text)"
xdotool key --window "$CLOSING_BOX" Return
expect_exit 0
