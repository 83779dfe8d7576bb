# x11.sh: what the end-to-end scripts of the Linux build (tests/e2e) and of
# the Windows build under Wine (tests/wine) share: the viewer's output and
# the files to remove at the end, plain checks, and the viewer's windows and
# the pointer on the virtual screen. Their common.sh sources it after
# scripts/xvfb.sh and says what differs: how the screen starts and stops
# (start_screen, stop_screen), how the viewer does (start_viewer,
# stop_viewer), and how long the viewer may take to open its window, to
# take a new geometry and to end (OPEN_SECONDS, GEOMETRY_SECONDS,
# EXIT_SECONDS).

VIEWER_LOG=$(mktemp)
CLEANUP=()  # more files and folders for a script to remove at the end
trap 'stop_viewer; stop_screen; rm -rf "$VIEWER_LOG" "${CLEANUP[@]}"' EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- viewer output:" >&2
  cat "$VIEWER_LOG" >&2
  exit 1
}

# open_viewer SIZE: a virtual screen of that size, the viewer started on it,
# and window set to its window titled Talmir once that is shown.
open_viewer() {
  start_screen "$1"
  start_viewer
  window=$(wait_for_window Talmir "$OPEN_SECONDS") || fail "no window titled Talmir"
}

# expect_exit CODE: the viewer ends, with that code.
expect_exit() {
  wait_for_exit "$VIEWER_PID" "$EXIT_SECONDS" || fail "the viewer did not end"
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
# is shown; prints its id.
wait_for_geometry() {
  local id
  for _ in $(seq $((GEOMETRY_SECONDS * 10))); do
    id=$(window_id "$1")
    [[ -n "$id" && "$(geometry "$id" 2> /dev/null)" == "$2" ]] && viewable "$id" && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# pointer: X,Y of the pointer on the screen.
pointer() {
  xdotool getmouselocation | sed -E 's/x:([0-9]+) y:([0-9]+).*/\1,\2/'
}

# pointer_follows_focus WINDOW TAKE_FOCUS_CHANGE TAKE_MOVE: while the
# viewer's WINDOW has the focus it puts the pointer back at (512, 384) after
# every frame; once another client's window has the focus it leaves the
# pointer alone. TAKE_FOCUS_CHANGE and TAKE_MOVE: commands that wait until
# the viewer has taken the focus change and then the pointer's move (had it
# still been putting the pointer back, it would have by then). The other
# window is closed at the end; giving the viewer the focus back is the
# caller's.
pointer_follows_focus() {
  local other other_window
  xdotool windowfocus --sync "$1"
  xdotool mousemove 100 600
  for _ in $(seq 50); do
    [[ "$(pointer)" == "512,384" ]] && break
    sleep 0.1
  done
  [[ "$(pointer)" == "512,384" ]] || fail "pointer not re-centred while in front: $(pointer)"

  xmessage -geometry 200x100+10+10 "another program" &
  other=$!
  other_window=$(wait_for_window xmessage 15) || fail "no second window"
  xdotool windowfocus --sync "$other_window"
  $2 || fail "the viewer drew nothing after losing the focus"
  xdotool mousemove 100 600
  $3 || fail "the viewer drew nothing while another window had the focus"
  [[ "$(pointer)" == "100,600" ]] || fail "pointer moved while another window had the focus: $(pointer)"
  kill "$other"
}

# damaged_copy FOLDER COMMAND: FOLDER/run becomes a fresh copy of the build's
# run folder, and COMMAND (what to do to it) runs inside it.
damaged_copy() {
  rm -rf "$1/run"
  cp -r "$BUILD/run" "$1/run"
  (cd "$1/run" && eval "$2")
}

# answer_the_mode_question KEY [WHEN]: starts the viewer on a screen too
# small for its fullscreen mode and answers the question that follows
# (Return: Yes, Escape: No); after No, CLOSING_BOX is the closing box's window.
answer_the_mode_question() {
  start_viewer
  local box
  box=$(wait_for_window "Kvel GL" 30) || fail "no question box${2:+ $2}"
  xdotool key --window "$box" "$1"
  if [[ "$1" == Escape ]]; then
    CLOSING_BOX=$(wait_for_window ERROR 15) || fail "no closing box after No"
  fi
}


# poll_until CONDITION SECONDS READER [ARGUMENT...]: runs the reader until
# the numbers it sets meet the condition (a shell arithmetic test such as
# "green > 300"); false after SECONDS, leaving the last numbers set.
poll_until() {
  local condition=$1 deadline=$((SECONDS + $2))
  shift 2
  "$@"
  until (($condition)); do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
    "$@"
  done
}

# f12_like_screen COMPARISON: picture_compare's answer on F12's picture
# against a screenshot taken a moment later: the same size, and alike
# within the tolerance (the view turns meanwhile: support/frame_tolerance.h).
f12_like_screen() {
  eval "$1"
  ((sameSize)) || fail "F12's picture is ${width}x$height, not the screen's size"
  echo "F12's picture against the screen a moment later: mean block difference $blocks"
  ((within)) || fail "F12's picture differs from the screen: $blocks"
}
