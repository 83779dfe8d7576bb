#!/usr/bin/env bash
# Input on Wayland: an Esc tap (pressed and released with no time between)
# ends Talmir with 27 on each of three starts; moving the mouse up tilts the
# view towards the sky (SDL's relative motion: weston cannot put the pointer
# back) and moving it back down brings the plants back.
source "$(dirname "$0")/common.sh"
start_screen 1024x768

for run in $(seq 3); do
  start_viewer
  wait_for_picture "text > 300" || fail "no picture on start $run"
  settle "$OUTPUT"
  press "$OUTPUT" Escape
  wait_for_exit "$VIEWER_PID" "$EXIT_SECONDS" || fail "the Esc tap of start $run did not end the viewer"
  VIEWER_PID=
  [[ "$EXIT_CODE" == 27 ]] || fail "start $run ended with $EXIT_CODE, expected 27"
done
echo "three Esc taps, three ends with 27"

# move DY: the pointer moves by DY in six steps (up where DY is negative).
move() {
  for _ in $(seq 6); do
    xdotool mousemove_relative -- 0 "$(($1 / 6))"
    sleep 0.05
  done
}

xdotool mousemove 512 600
start_viewer
wait_for_picture "text > 300 && green > 300" || fail "no landscape before the mouse moved (green=$green)"
settle "$OUTPUT"
picture
level_green=$green level_fog=$fog
move -360
wait_for_picture "green + 150 < level_green && fog > level_fog + 150" \
  || fail "moving the mouse up did not tilt the view: green $green fog $fog, level: green $level_green fog $level_fog"
echo "mouse up: green=$green fog=$fog (level: green=$level_green fog=$level_fog)"
move 360
up_green=$green
wait_for_picture "green > up_green + 100" || fail "moving the mouse back down did not bring the plants back: green $green, $up_green up"
echo "mouse back down: green=$green fog=$fog"
settle "$OUTPUT"
press "$OUTPUT" Escape
expect_exit 27
