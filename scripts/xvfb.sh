# xvfb.sh: virtual X screens for the headless run and the end-to-end tests.
# Source it; each screen takes a display number no running server uses.

# start_xvfb WIDTHxHEIGHT [OPTION...]: starts a server (with Xvfb's options
# given, such as -ac for clients of other users), exports DISPLAY, sets XVFB_PID.
# The server writes its display number to a pipe once it takes connections;
# reading it waits for exactly that (or for the server's end, if it fails).
start_xvfb() {
  local size=$1 pipe number=
  shift
  pipe=$(mktemp -u)
  mkfifo "$pipe"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset "$@" 3>"$pipe" 2>/dev/null &
  XVFB_PID=$!
  read -r -t 20 number <"$pipe" || true
  rm -f "$pipe"
  if [[ -z "$number" ]]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

stop_xvfb() {
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# window_id NAME: the id of the top-level window with that exact name, if any.
window_id() {
  xwininfo -name "$1" 2>/dev/null | awk '/Window id:/ {print $4}'
}

# wait_for_window NAME [SECONDS]: prints the id once the window is mapped.
wait_for_window() {
  local name=$1 seconds=${2:-15} id
  for _ in $(seq $((seconds * 10))); do
    id=$(window_id "$name")
    if [[ -n "$id" ]] && xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# wait_for_exit PID [SECONDS]: waits for the process (a child of this shell)
# and sets EXIT_CODE to its exit code, or to "timeout" after killing it.
wait_for_exit() {
  local pid=$1 seconds=${2:-15}
  EXIT_CODE=timeout
  for _ in $(seq $((seconds * 10))); do
    [[ "$(ps -o stat= -p "$pid" 2>/dev/null)" =~ ^Z|^$ ]] && break
    sleep 0.1
  done
  if [[ ! "$(ps -o stat= -p "$pid" 2>/dev/null)" =~ ^Z|^$ ]]; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  EXIT_CODE=0
  wait "$pid" || EXIT_CODE=$?
}

# press WINDOW KEY [SECONDS]: focus, then press the key and release it, at
# once or after holding it SECONDS. The viewer acts once on a key pressed and
# released between two frames, so a tap is enough.
press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  if [[ -z "${3:-}" ]]; then
    xdotool keydown --delay 0 "$2" keyup --delay 0 "$2"
    return
  fi
  xdotool keydown "$2"
  sleep "$3"
  xdotool keyup "$2"
}

# settle WINDOW: gives the window the focus and waits until the viewer has put
# the pointer back at its anchor and then drawn two more frames, so it has
# taken every pointer motion that was on its way.
settle() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  for _ in $(seq 100); do
    [[ "$(xdotool getmouselocation 2>/dev/null)" == "x:512 y:384 "* ]] && break
    sleep 0.1
  done
  wait_for_frames 2
}

# wait_for_frames COUNT [SECONDS]: COUNT new frames of the viewer have reached
# the screen (its view turns by itself, so each frame changes the picture);
# fails after SECONDS (30). Uses the tests' screen_changes, which whoever
# sources this file names in SCREEN_CHANGES.
wait_for_frames() {
  "${SCREEN_CHANGES:?the tests name screen_changes here}" "$1" "${2:-30}"
}
