# common.sh: what every end-to-end script shares: the build's programs, a
# virtual screen, the viewer started in the run folder, and plain checks.
set -euo pipefail
source "$TALMIR_SOURCE_DIR/scripts/xvfb.sh"
BUILD=$TALMIR_BUILD_DIR
SCREEN_CHANGES=$BUILD/tests/screen_changes
VIEWER_LOG=$(mktemp)
CLEANUP=()  # more files and folders for a script to remove at the end
trap 'stop_viewer; stop_xvfb; rm -rf "$VIEWER_LOG" "${CLEANUP[@]}"' EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- viewer output:" >&2
  cat "$VIEWER_LOG" >&2
  exit 1
}

# start_viewer: starts build/talmir in build/run; VIEWER_PID names it.
start_viewer() {
  (cd "$BUILD/run" && exec "$BUILD/talmir") >"$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

stop_viewer() {
  [[ -n "${VIEWER_PID:-}" ]] && kill "$VIEWER_PID" 2>/dev/null && wait "$VIEWER_PID" 2>/dev/null
  VIEWER_PID=
}

# expect_exit CODE: the viewer ends, with that code.
expect_exit() {
  wait_for_exit "$VIEWER_PID" 20 || fail "the viewer did not end"
  VIEWER_PID=
  [[ "$EXIT_CODE" == "$1" ]] || fail "exit code $EXIT_CODE, expected $1"
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
  local condition=$1 deadline=$((SECONDS + 30))
  shift
  picture "$@"
  until (($condition)); do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
    picture "$@"
  done
}

# geometry ID: WIDTHxHEIGHT+X+Y of a window.
geometry() {
  xwininfo -id "$1" | awk '/-geometry/ {print $2}'
}

# wait_for_geometry NAME GEOMETRY: a window of that name comes to have it and
# is shown (only a shown window can take the focus, and with it the keys).
wait_for_geometry() {
  local id
  for _ in $(seq 100); do
    id=$(window_id "$1")
    [[ -n "$id" && "$(geometry "$id" 2>/dev/null)" == "$2" ]] \
      && xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
