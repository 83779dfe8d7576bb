# common.sh (tests/wine): what the Wine end-to-end scripts share: a virtual
# screen with Wine on it, talmir.exe started under Wine, and plain checks.
set -euo pipefail
source "$TALMIR_SOURCE_DIR/scripts/xvfb.sh"
source "$TALMIR_SOURCE_DIR/tests/wine/wine.sh"
BUILD=$TALMIR_BUILD_DIR
wine_environment "$BUILD"
VIEWER_LOG=$(mktemp)
trap 'stop_viewer; wine_server_stop; stop_xvfb; rm -f "$VIEWER_LOG"' EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- viewer output:" >&2
  cat "$VIEWER_LOG" >&2
  exit 1
}

# start_wine_screen WIDTHxHEIGHT: a virtual screen, and a wineserver of its
# own for it (Wine's desktop process stays with the screen it first met).
start_wine_screen() {
  start_xvfb "$1"
  wine_server_stop
  wine_server_start
}

# start_viewer [ARGUMENTS]: talmir.exe under Wine, started in the build
# folder: it finds its data in run/ beside itself. VIEWER_PID names it.
start_viewer() {
  (cd "$BUILD" && exec timeout --kill-after=5 120 "$WINE" "$BUILD/talmir.exe" "$@") > "$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

# stop_viewer: ends a viewer still running, and whatever Wine still runs.
stop_viewer() {
  if [[ -n "${VIEWER_PID:-}" ]]; then
    kill "$VIEWER_PID" 2> /dev/null || true
    wine_server_stop
    wait "$VIEWER_PID" 2> /dev/null || true
  fi
  VIEWER_PID=
}

# expect_exit CODE: the viewer ends, with that code.
expect_exit() {
  wait_for_exit "$VIEWER_PID" 30 || fail "the viewer did not end"
  VIEWER_PID=
  [[ "$EXIT_CODE" == "$1" ]] || fail "exit code $EXIT_CODE, expected $1"
}

# geometry ID: WIDTHxHEIGHT+X+Y of a window.
geometry() {
  xwininfo -id "$1" | awk '/-geometry/ {print $2}'
}

# viewable ID: the window is shown (only a shown window takes the focus and keys).
viewable() {
  xwininfo -id "$1" 2> /dev/null | grep -q 'IsViewable'
}

# wait_for_geometry NAME GEOMETRY: a window of that name comes to have it and
# is shown.
wait_for_geometry() {
  local id
  for _ in $(seq 150); do
    id=$(window_id "$1")
    [[ -n "$id" && "$(geometry "$id" 2> /dev/null)" == "$2" ]] && viewable "$id" && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# client_geometry ID: WIDTHxHEIGHT+X+Y of the X window Wine draws the GL
# client area into, inside the window: at +0+0 in a popup, inside the frame
# of a decorated window.
client_geometry() {
  xwininfo -id "$1" -children 2> /dev/null \
    | awk '/^ +0x/ {for (i = 1; i <= NF; ++i) if ($i ~ /^[0-9]+x[0-9]+[+-]/) {print $i; exit}}'
}

# wait_for_decorated NAME [WIDTH]: a window of that name comes to be a
# decorated one, its client area inside a frame (and WIDTH pixels wide);
# prints its id. Windows keeps a framed window within the screen, so on a
# screen no larger than the window the client area is smaller than asked.
wait_for_decorated() {
  local id client
  for _ in $(seq 150); do
    id=$(window_id "$1")
    client=$([[ -n "$id" ]] && client_geometry "$id")
    [[ -n "$client" && "$client" != *+0+0 && "$client" == ${2:-}* ]] && viewable "$id" && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# box_text CAPTION: the text of the message box with that caption.
box_text() {
  timeout 60 "$WINE" "$BUILD/box_text.exe" "$1" 20 2> /dev/null
}

# answer_box CAPTION KEY: the box with that caption is shown; KEY answers it.
answer_box() {
  local box
  box=$(wait_for_window "$1" 30) || fail "no box captioned $1"
  xdotool windowfocus --sync "$box" 2> /dev/null || true
  xdotool key "$2"
}
