# saver.sh (tests/wine): what the screensaver scripts share, after
# common.sh: talmir.scr as the zip hands it out, unpacked into a folder of
# its own and started from another folder, as Windows starts it; the test
# host window for its preview; and pictures read from the screen by the
# build machine's area_stats.

# unpack_zip: SAVER_FOLDER holds the zip's talmir folder.
unpack_zip() {
  SAVER_FOLDER=$(mktemp -d)
  CLEANUP+=("$SAVER_FOLDER")
  unzip -q "$TALMIR_ZIP" -d "$SAVER_FOLDER" || fail "cannot unpack $TALMIR_ZIP"
  SAVER_FOLDER+=/talmir
}

# start_saver [ARGUMENTS]: talmir.scr under Wine, started in / so that only
# the program's own folder holds its data. VIEWER_PID names it; the
# script's clock at its start is SAVER_START.
start_saver() {
  SAVER_START=$(now)
  (cd / && exec timeout --kill-after=5 120 "$WINE" "$SAVER_FOLDER/talmir.scr" "$@") > "$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

# now: seconds since the epoch, to the millisecond; since T: seconds since.
now() { date +%s.%3N; }
since() { echo "$(now) - $1" | bc; }

# region NAME LEFT TOP WIDTH HEIGHT: NAME_green, NAME_sky, NAME_black and
# NAME_plain (the host's magenta), in per mille of the rectangle, set from
# the screen.
region() {
  local name=$1 stats
  shift
  stats=$("$AREA_STATS" "$@" ff00ff) || fail "cannot read the screen"
  eval "$(sed "s/^/${name}_/" <<< "$stats")"
}

# landscape NAME: the rectangle read as NAME shows the landscape over all of
# it: mostly plants and hills or the fogged sky, none of the bare screen or
# the host's background.
landscape() {
  local green=${1}_green sky=${1}_sky black=${1}_black plain=${1}_plain
  ((${!green} + ${!sky} >= 700 && ${!black} <= 5 && ${!plain} <= 5))
}

# wait_for_landscape LEFT TOP WIDTH HEIGHT SECONDS: polls until the landscape
# covers each quarter of the rectangle; 1 when SECONDS pass first.
wait_for_landscape() {
  local left=$1 top=$2 half_width=$(($3 / 2)) half_height=$(($4 / 2))
  for _ in $(seq $(($5 * 5))); do
    region q1 "$left" "$top" "$half_width" "$half_height"
    region q2 $((left + half_width)) "$top" "$half_width" "$half_height"
    region q3 "$left" $((top + half_height)) "$half_width" "$half_height"
    region q4 $((left + half_width)) $((top + half_height)) "$half_width" "$half_height"
    landscape q1 && landscape q2 && landscape q3 && landscape q4 && return 0
    sleep 0.2
  done
  return 1
}

# start_host LEFT TOP WIDTH HEIGHT: saver_host.exe's window; HOST_WINDOW is
# its HWND, HOST_PID its process; a line written to fd 7 destroys the window.
start_host() {
  local fifo
  HOST_OUT=$(mktemp)
  fifo=$(mktemp -u)
  CLEANUP+=("$HOST_OUT")
  mkfifo "$fifo"
  timeout --kill-after=5 120 "$WINE" "$BUILD/saver_host.exe" "$1" "$2" "$3" "$4" 100 < "$fifo" > "$HOST_OUT" 2> /dev/null &
  HOST_PID=$!
  exec 7> "$fifo"
  rm -f "$fifo"
  for _ in $(seq 300); do
    HOST_WINDOW=$(head -n 1 "$HOST_OUT")
    [[ -n "$HOST_WINDOW" ]] && return 0
    sleep 0.1
  done
  fail "saver_host.exe printed no window"
}

# host_says PATTERN SECONDS: a line of the host's output matches; prints it.
host_says() {
  for _ in $(seq $(($2 * 10))); do
    grep -m 1 -E "$1" "$HOST_OUT" && return 0
    sleep 0.1
  done
  return 1
}

# end_host: destroys the host's window and waits for its program to end.
end_host() {
  echo >&7
  exec 7>&-
  host_says '^destroyed$' 30 > /dev/null || fail "the host window was not destroyed"
  wait "$HOST_PID" 2> /dev/null || true
  HOST_PID=
}
