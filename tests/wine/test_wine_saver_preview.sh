#!/usr/bin/env bash
# talmir.scr /p HWND, as the Display settings start a screensaver's preview
# in their little monitor: a 320x240 host window of another program
# (saver_host.exe) gets Talmir's window as its child, filling its client
# area; Talmir runs until the host is destroyed and then ends by itself with
# 0, at once and without a box. Again with /p:HWND in a 152x112 host, the
# preview's own size. A window that is not there ends it with 1.
# Wine 8's X11 driver finds no X drawable for a child of another program's
# window (its device context gets drawable 0), so nothing drawn there, by GL
# or GDI, reaches the screen: the child's size and class are read from the
# host instead of the picture.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/saver.sh"
start_screen 800x600
unpack_zip

# preview LEFT TOP WIDTH HEIGHT ARGUMENTS...: the host at that place and
# size, Talmir in it started with the ARGUMENTS (HWND for the host's window).
preview() {
  local size=$3x$4 child ended
  start_host "$@"
  shift 4
  start_saver "${@//HWND/$HOST_WINDOW}"
  child=$(host_says '^child ' "$OPEN_SECONDS") || fail "no child window in the host after $*"
  [[ "$child" == "child $size+0+0 OpenGL" ]] || fail "$*: the child is '$child', not $size at the host's corner"
  echo "$*: the child came $(since "$SAVER_START") s after the start"
  sleep 2  # a few seconds of drawing in the host, where an error would show
  kill -0 "$VIEWER_PID" 2> /dev/null || fail "$*: Talmir ended while its host was there"
  [[ -z "$(window_id Talmir)" ]] || fail "$*: Talmir opened a window of its own"
  ended=$(now)
  end_host
  expect_exit 0
  echo "$*: ended $(since "$ended") s after the host's destruction"
  [[ ! -s "$VIEWER_LOG" ]] || fail "$*: Talmir wrote to its output"
}

preview 100 80 320 240 /p HWND
[[ -z "$(window_id "SHUTDOWN ERROR")" ]] || fail "a shutdown error box is shown"
preview 300 200 152 112 /p:HWND

start_saver /p 12345
expect_exit 1
grep -q "there is no window" "$VIEWER_LOG" || fail "a missing host is not named: $(cat "$VIEWER_LOG")"
