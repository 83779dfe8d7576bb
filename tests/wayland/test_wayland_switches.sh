#!/usr/bin/env bash
# F1 switches between fullscreen and the framed window any number of times
# on Wayland, each tap once, and Esc then ends Talmir with 27: twenty
# switches with client-side decorations (libdecor's cairo plugin: a title
# bar with its buttons), four without any. SDL 2.26 left the libdecor frame
# of each window it destroyed behind, and the next event after a switch
# crashed the program; the backend keeps the window and changes its state.
source "$(dirname "$0")/common.sh"

# switches COUNT: COUNT F1 taps from fullscreen, each followed by the picture
# of the other mode (the overlay's lines at the top of the screen, or below
# weston's panel in the framed window), then an Esc tap.
switches() {
  local top=$FULLSCREEN_TOP
  for switch in $(seq "$1"); do
    press "$OUTPUT" F1
    if ((top == FULLSCREEN_TOP)); then top=$WINDOW_TOP; else top=$FULLSCREEN_TOP; fi
    wait_for_picture "text > 300" 0 "$top" || fail "switch $switch drew no picture with the overlay at $top (text=$text)"
  done
  echo "$1 switches, each drawn"
  settle "$OUTPUT"
  press "$OUTPUT" Escape
  expect_exit 27
}

open_viewer 1024x768
switches 20
stop_screen

WAYLAND_ENV="LIBDECOR_PLUGIN_DIR=$NO_DECORATIONS"
open_viewer 1024x768
switches 4
