# common.sh: what every end-to-end script shares: the build's programs, a
# virtual screen, the viewer started in the run folder, and plain checks
# (tests/lib/x11.sh, with the Wine scripts).
set -euo pipefail
source "$TALMIR_SOURCE_DIR/scripts/xvfb.sh"
BUILD=$TALMIR_BUILD_DIR
SCREEN_CHANGES=$BUILD/tests/screen_changes
OPEN_SECONDS=30 GEOMETRY_SECONDS=10 EXIT_SECONDS=20
source "$TALMIR_SOURCE_DIR/tests/lib/x11.sh"

start_screen() { start_xvfb "$1"; }
stop_screen() { stop_xvfb; }

# start_viewer: starts build/talmir in build/run; VIEWER_PID names it.
start_viewer() {
  (cd "$BUILD/run" && exec "$BUILD/talmir") >"$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

stop_viewer() {
  [[ -n "${VIEWER_PID:-}" ]] && kill "$VIEWER_PID" 2>/dev/null && wait "$VIEWER_PID" 2>/dev/null
  VIEWER_PID=
}

# picture [LEFT TOP]: what picture_stats reads from the screen, in text, gap,
# green and fog (LEFT TOP: where the viewer's frame starts on the screen).
picture() {
  local stats
  stats=$("$BUILD/tests/picture_stats" "$@") || fail "cannot read the screen"
  eval "$stats"
}

# wait_for_picture CONDITION [LEFT TOP]: reads the screen until its picture
# meets the condition, a shell arithmetic test of text, gap, green and fog,
# such as "green > 300"; fails after 30 s, leaving the last numbers set.
wait_for_picture() {
  local condition=$1
  shift
  poll_until "$condition" 30 picture "$@"
}
