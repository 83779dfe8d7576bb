#!/usr/bin/env bash
# talmir.exe under Wine on a 1024x768 screen: the window "Talmir" opens
# fullscreen, silently (no sound device, and no complaint about it); F1 gives
# a decorated window with a client area 1024 wide, held F1 switches only
# once, F1 again goes back to fullscreen; an Esc tap ends it with 27, the
# Linux build's code. A second start ends on Alt+F4 with 0. The command line
# is read as on Linux: --version answers, a wrong argument ends with 2.
source "$(dirname "$0")/common.sh"
start_screen 1024x768

[[ "$(timeout 60 "$WINE" "$BUILD/talmir.exe" --version)" == "talmir "[0-9]* ]] || fail "--version does not answer"
status=0
timeout 60 "$WINE" "$BUILD/talmir.exe" --no-such-option > /dev/null 2>&1 || status=$?
[[ $status -eq 2 ]] || fail "a wrong argument ends with $status, not 2"
[[ -z "$(window_id Talmir)" ]] || fail "a window opened for the command line alone"

start_viewer
window=$(wait_for_window Talmir 60) || fail "no window titled Talmir"
[[ "$(geometry "$window")" == "1024x768+0+0" ]] || fail "fullscreen geometry $(geometry "$window")"
[[ "$(client_geometry "$window")" == "1024x768+0+0" ]] || fail "the fullscreen window has a frame"

# Hold F1 well into the key repeat, noting every window that appears.
xdotool windowfocus --sync "$window"
xdotool keydown F1
seen=$(for _ in $(seq 30); do window_id Talmir; sleep 0.1; done | sort -u | grep -c .)
xdotool keyup F1
((seen == 2)) || fail "holding F1 switched other than once ($seen windows)"
# Windows keeps a framed window within the screen's height, so on a screen
# of 768 rows the client area is as tall as the frame leaves room for.
window=$(wait_for_decorated Talmir 1024x) || fail "no decorated window 1024 wide after F1"
sleep 1.5  # the held key's release settles

press "$window" F1
window=$(wait_for_geometry Talmir "1024x768+0+0") || fail "not fullscreen again after the second F1"

settle "$window"
xdotool keydown --delay 0 Escape keyup --delay 0 Escape
expect_exit 27
[[ ! -s "$VIEWER_LOG" ]] || fail "the viewer wrote to its output"

start_viewer
window=$(wait_for_window Talmir 60) || fail "no window on the second start"
xdotool windowfocus --sync "$window" 2> /dev/null || true
xdotool key alt+F4
expect_exit 0
