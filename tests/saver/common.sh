# common.sh: what the screensaver scripts share: a virtual screen, a host
# window for Talmir to draw in (tests/tools/bare_window) over a backdrop of
# one plain colour, Talmir started in it, what is drawn there (area_stats),
# and how long things take, in milliseconds.
set -euo pipefail
source "$TALMIR_SOURCE_DIR/scripts/xvfb.sh"
BUILD=$TALMIR_BUILD_DIR
SCREEN_CHANGES=$BUILD/tests/screen_changes
source "$TALMIR_SOURCE_DIR/tests/lib/x11.sh"

# The backdrop's colour, which nothing in the landscape has.
PLAIN=ff00ff

start_screen() { start_xvfb "$@"; }
stop_screen() {
  stop_host
  stop_xvfb
}

# start_host WIDTH HEIGHT LEFT TOP: the backdrop and the bare host window
# above it; HOST_ID is the host's X id, host_says talks to the tool.
start_host() {
  coproc HOST { exec "$BUILD/tests/bare_window" "$@" "$PLAIN"; }
  read -r -t 20 HOST_ID <&"${HOST[0]}" || fail "no host window"
}

# host_says COMMAND: "destroy" or "resize WxH", done once the tool answers.
host_says() {
  local answer
  echo "$1" >&"${HOST[1]}"
  read -r -t 20 answer <&"${HOST[0]}" && [[ "$answer" == done ]] || fail "the host tool did not do '$1'"
}

stop_host() {
  if [[ -n "${HOST_PID:-}" ]]; then
    kill "$HOST_PID" 2>/dev/null || true
    wait "$HOST_PID" 2>/dev/null || true
  fi
  HOST_PID=
}

# start_viewer [ARGUMENT...]: build/talmir started in build/run with the
# arguments; VIEWER_PID names it.
start_viewer() {
  (cd "$BUILD/run" && exec "$BUILD/talmir" "$@") >"$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

stop_viewer() {
  [[ -n "${VIEWER_PID:-}" ]] && kill "$VIEWER_PID" 2>/dev/null && wait "$VIEWER_PID" 2>/dev/null
  VIEWER_PID=
}

now_ms() { date +%s%3N; }

# ends_on SIGNAL: sends it (TERM, INT) to the viewer, which must end with 0
# within a second; says how long it took.
ends_on() {
  local start elapsed
  start=$(now_ms)
  kill -"$1" "$VIEWER_PID"
  viewer_ends 10
  elapsed=$(($(now_ms) - start))
  echo "SIG$1 to exit: $elapsed ms, exit code $EXIT_CODE"
  [[ "$EXIT_CODE" == 0 ]] || fail "SIG$1: exit code $EXIT_CODE, expected 0"
  ((elapsed <= 1000)) || fail "SIG$1: the viewer took $elapsed ms to end"
}

# gone PID: the process has ended (a child of this shell may linger as a zombie).
gone() {
  local stat
  { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 0
  stat=${stat##*) }
  [[ "${stat%% *}" == Z ]]
}

# wait_gone PID SECONDS: polls every 10 ms until the process has ended; sets
# GONE_MS to the moment it was seen gone. False after SECONDS.
wait_gone() {
  local deadline=$(($(now_ms) + $2 * 1000))
  until gone "$1"; do
    (($(now_ms) < deadline)) || return 1
    sleep 0.01
  done
  GONE_MS=$(now_ms)
}

# viewer_ends SECONDS: the viewer ends within SECONDS; EXIT_CODE is its code.
viewer_ends() {
  wait_gone "$VIEWER_PID" "$1" || fail "the viewer did not end within $1 s"
  EXIT_CODE=0
  wait "$VIEWER_PID" || EXIT_CODE=$?
  VIEWER_PID=
}

# area LEFT TOP WIDTH HEIGHT: sets plain, green, sky and outside (area_stats).
area() {
  local stats
  stats=$("$BUILD/tests/area_stats" "$@" "$PLAIN") || fail "cannot read the screen"
  eval "$stats"
}

# wait_for_area CONDITION SECONDS LEFT TOP WIDTH HEIGHT: reads the screen
# until the rectangle's numbers meet the condition (a shell arithmetic
# test); false after SECONDS, leaving the last numbers set.
wait_for_area() {
  local condition=$1 seconds=$2
  shift 2
  poll_until "$condition" "$seconds" area "$@"
}

# The landscape seen in a rectangle: no backdrop showing through, plenty of
# plants and grass, and some sky or fog.
LANDSCAPE='plain <= 2 && green >= 200 && sky >= 10'
