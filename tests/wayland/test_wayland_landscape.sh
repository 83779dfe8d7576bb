#!/usr/bin/env bash
# On weston through SDL's Wayland driver Talmir draws the landscape
# fullscreen, and its first picture is the same wherever the pointer rests:
# over the window or off weston's output. Wayland cannot put the pointer at
# the anchor, so only a real move may move the view; reading where the
# pointer rests as motion tilted the view towards the sky at start.
source "$(dirname "$0")/common.sh"

# first_picture X Y: the viewer started with the pointer resting at X, Y on a
# 1280x1024 screen whose top left 1024x768 is weston's output; sets
# first_green and first_fog from the picture ten frames after the first
# with the overlay's lines (a tilt stays: the pitch adds up the motion).
first_picture() {
  start_screen 1280x1024 1024x768
  xdotool mousemove "$1" "$2"
  start_viewer
  wait_for_picture "text > 300" || fail "no picture with the pointer at $1,$2 (text=$text)"
  wait_for_frames 10
  picture
  first_green=$green first_fog=$fog
  echo "pointer at $1,$2: green=$green fog=$fog per mille of the screen"
  ((green > 200)) || fail "no landscape with the pointer at $1,$2: green=$green"
  ((fog > 10)) || fail "no sky in the fog colour with the pointer at $1,$2: fog=$fog"
  settle "$OUTPUT"
  press "$OUTPUT" Escape
  expect_exit 27
  stop_screen
}

first_picture 1200 1000
outside_green=$first_green outside_fog=$first_fog
first_picture 512 384
# The view turns by itself, so two pictures differ a little with the frame
# they are grabbed at; a tilt towards the sky takes the plants away.
((first_green * 10 > outside_green * 9 && outside_green * 10 > first_green * 9)) \
  || fail "the plants differ with the pointer over the window: green $first_green against $outside_green"
((first_fog < outside_fog + 30 && outside_fog < first_fog + 30)) \
  || fail "the sky differs with the pointer over the window: fog $first_fog against $outside_fog"
