#!/usr/bin/env bash
# F1 there and back: the viewer keeps running and draws the landscape again
# in each mode, while the sound plays on: SDL's disk audio driver records
# the output, which must be the wave's samples looped without a restart.
source "$(dirname "$0")/common.sh"
audio=$(mktemp --suffix=.raw)
CLEANUP+=("$audio")
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" SDL_DISKAUDIODELAY=20
open_viewer 1024x768
wait_for_frames 1 || fail "the viewer drew nothing"

landscape_shown() {  # what, left, top: where the window's client area starts
  wait_for_picture "green > 300 && text > 300" "$2" "$3" \
    || fail "$1: no landscape with its overlay (green=$green text=$text)"
}

# The viewer keeps a key that was down through a mode switch held for 1 s,
# for the key repeat to show it still down: an F1 before then would be the
# same press, and its late release could come after the Esc that ends the
# run. Two frames after that second, the viewer has let the key go.
f1_let_go() {
  sleep 1
  wait_for_frames 2 || fail "the viewer drew nothing after the switch"
}

# Shorter than the X server's key repeat delay: a repeated F1 after the new
# window takes the keyboard would count as a new press.
press "$window" F1 0.5
window=$(wait_for_geometry Talmir "1024x768+8+31") || fail "no 1024x768 window after F1"
f1_let_go
landscape_shown "windowed" 8 31
press "$window" F1 0.5
window=$(wait_for_geometry Talmir "1024x768+0+0") || fail "not fullscreen again after the second F1"
f1_let_go
landscape_shown "fullscreen again" 0 0
[[ "$(ps -o stat= -p "$VIEWER_PID")" =~ ^[^Z] ]] || fail "the viewer stopped"

# The recording must have looped at least once before the viewer ends.
wave="$BUILD/run/Sound/sound.wav"
for _ in $(seq 100); do
  (($(stat -c %s "$audio") > $(stat -c %s "$wave") * 3 / 2)) && break
  sleep 0.2
done
settle "$window"
press "$window" Escape
expect_exit 27
"$BUILD/tests/sound_check" "$wave" "$audio" || fail "the sound did not play on, looped, through the switches"
