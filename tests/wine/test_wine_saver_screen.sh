#!/usr/bin/env bash
# talmir.scr /s, as Windows starts a screensaver, from the zip: on an
# 800x600 screen, smaller than the viewer's own 1024x768 mode, it covers
# the screen at the screen's own size (no mode change, so no question) with
# the landscape, silently; a key ends it with 0. Started again, a shiver of
# the mouse by a pixel or two leaves it running and a real move ends it;
# a third time, a click ends it.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/saver.sh"
start_screen 800x600
unpack_zip

start_saver /s
window=$(wait_for_window Talmir "$OPEN_SECONDS") || fail "no window titled Talmir"
[[ "$(geometry "$window")" == "800x600+0+0" ]] || fail "the window is $(geometry "$window"), not the screen"
wait_for_landscape 0 0 800 600 60 || fail "the landscape does not cover the screen (quarters, in per mille:" \
  "$q1_green/$q1_sky $q2_green/$q2_sky $q3_green/$q3_sky $q4_green/$q4_sky green/sky)"
echo "/s: first picture over the whole screen $(since "$SAVER_START") s after the start"
[[ -z "$(window_id "Kvel GL")" ]] || fail "the screensaver asked for a display mode"
wait_for_frames 3 || fail "the landscape does not move"
[[ ! -s "$VIEWER_LOG" ]] || fail "the screensaver wrote to its output"
pressed=$(now)
press "$window" a
expect_exit 0
echo "/s: a key ended it in $(since "$pressed") s"

start_saver /S
window=$(wait_for_window Talmir "$OPEN_SECONDS") || fail "no window after /S"
wait_for_frames 3 || fail "the landscape does not move after /S"
xdotool mousemove --window "$window" 400 300
sleep 0.3
xdotool mousemove --window "$window" 402 301
wait_for_frames 5 || fail "the screensaver stopped drawing after the mouse shivered"
kill -0 "$VIEWER_PID" 2> /dev/null || fail "a move of two pixels ended the screensaver"
moved=$(now)
xdotool mousemove --window "$window" 500 380
expect_exit 0
echo "/s: a mouse move ended it in $(since "$moved") s"

start_saver -s
window=$(wait_for_window Talmir "$OPEN_SECONDS") || fail "no window after -s"
wait_for_frames 3 || fail "the landscape does not move after -s"
xdotool click 1
expect_exit 0
