# common.sh (tests/wine): what the Wine end-to-end scripts share: a virtual
# screen with Wine on it, talmir.exe started under Wine, and plain checks
# (tests/lib/x11.sh, with the Linux build's scripts).
set -euo pipefail
source "$TALMIR_SOURCE_DIR/scripts/xvfb.sh"
source "$TALMIR_SOURCE_DIR/tests/wine/wine.sh"
BUILD=$TALMIR_BUILD_DIR
wine_environment "$BUILD"
OPEN_SECONDS=60 GEOMETRY_SECONDS=15 EXIT_SECONDS=30
source "$TALMIR_SOURCE_DIR/tests/lib/x11.sh"

# start_screen WIDTHxHEIGHT: a virtual screen, and a wineserver of its own
# for it (Wine's desktop process stays with the screen it first met).
start_screen() {
  start_xvfb "$1"
  wine_server_stop
  wine_server_start
}

stop_screen() {
  wine_server_stop
  stop_xvfb
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
  for _ in $(seq $((GEOMETRY_SECONDS * 10))); do
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

# expect_box CAPTION TEXT WHEN: the message box with that caption shows that
# text (WHEN: the case, for the failure's message).
expect_box() {
  local said
  said=$(box_text "$1") || true
  [[ "$said" == "$2" ]] || fail "$3: the box captioned $1 reads: $said"
}

# answer_box CAPTION KEY: the box with that caption is shown; KEY answers it.
answer_box() {
  local box
  box=$(wait_for_window "$1" 30) || fail "no box captioned $1"
  xdotool windowfocus --sync "$box" 2> /dev/null || true
  xdotool key "$2"
}
