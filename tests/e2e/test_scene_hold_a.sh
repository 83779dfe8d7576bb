#!/usr/bin/env bash
# Holding A moves the view along its line of sight, which points below the
# horizon: the view sinks through the ground, the plants pass out of sight
# and the fog fills the picture. Without A the picture keeps its plants.
source "$(dirname "$0")/common.sh"
open_viewer 1024x768

wait_for_picture "green > 300" || true
echo "before: green=$green fog=$fog"
((green > 300)) || fail "no landscape before A: green=$green"
# A second and a half without input.
sleep 1.5
picture
((green > 300)) || fail "the landscape went away without input: green=$green"
before=$green

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool keydown a
moved=no
for _ in $(seq 40); do
  sleep 0.25
  picture
  if ((green * 2 < before && fog > 400)); then moved=yes; break; fi
done
xdotool keyup a
echo "holding A: green=$green fog=$fog"
[[ $moved == yes ]] || fail "holding A did not move the view (green=$green, fog=$fog)"
settle "$window"
press "$window" Escape
expect_exit 27
