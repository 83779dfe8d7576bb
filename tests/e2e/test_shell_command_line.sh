#!/usr/bin/env bash
# The real program's command line: --help and --version answer without any
# display, a wrong argument gives the usage on standard error and exit code
# 2, and --windowed on an 800x600 screen, where the fullscreen mode would
# bring the question, opens the 1024x768 window at once. Started from / it
# still finds the build's data beside itself, and with --fps says its frame
# rate, which the swap's pacing holds at about 60 on Xvfb (no faster: the
# world steps once a frame).
source "$(dirname "$0")/common.sh"
out=$(mktemp) err=$(mktemp)
CLEANUP+=("$out" "$err")

without_display() {  # ARGUMENTS...: runs the program; CODE is its exit code
  CODE=0
  (cd / && env -u DISPLAY -u WAYLAND_DISPLAY "$BUILD/talmir" "$@") >"$out" 2>"$err" || CODE=$?
}

without_display --help
((CODE == 0)) || fail "--help ended with $CODE: $(cat "$err")"
[[ "$(head -1 "$out")" == "Usage: talmir [OPTION]..." && ! -s "$err" ]] || fail "--help printed: $(cat "$out" "$err")"
for word in --fullscreen --windowed --fps --help --version F1 F12 Esc; do
  grep -q -- "$word" "$out" || fail "--help does not mention $word"
done

without_display --version
[[ $CODE == 0 && "$(cat "$out")" == "talmir $TALMIR_VERSION" && ! -s "$err" ]] \
  || fail "--version ended with $CODE and printed: $(cat "$out" "$err")"

without_display --windowed --bogus
[[ $CODE == 2 && ! -s "$out" ]] || fail "a wrong argument ended with $CODE and printed: $(cat "$out")"
[[ "$(head -1 "$err")" == "talmir: unrecognised argument '--bogus'" ]] && grep -q "^Usage: talmir" "$err" \
  || fail "a wrong argument said: $(cat "$err")"

start_xvfb 800x600
(cd / && exec "$BUILD/talmir" --windowed --fps) >"$VIEWER_LOG" 2>&1 &
VIEWER_PID=$!
window=$(wait_for_window Talmir 30) || fail "no window titled Talmir (question box: $(window_id "Kvel GL"))"
[[ -z "$(window_id "Kvel GL")" ]] || fail "--windowed still asked"
window=$(wait_for_geometry Talmir "1024x768+8+31") || fail "the window is $(geometry "$window"), not 1024x768"
wait_for_picture "green > 300" || fail "no landscape in the window: green=$green"
deadline=$((SECONDS + 30))
until (($(grep -c ' fps$' "$VIEWER_LOG") >= 4)) || ((SECONDS > deadline)); do sleep 0.2; done
rates=$(grep ' fps$' "$VIEWER_LOG" | tail -n +2 | cut -d' ' -f1 | tr '\n' ' ')
echo "frame rates with --fps: $rates"
[[ -n "$rates" ]] || fail "--fps printed no rate: $(cat "$VIEWER_LOG")"
for rate in $rates; do
  # Faster than 60 would mean no pacing; llvmpipe on a loaded machine draws
  # the 1024x768 picture slower (the small screensaver window shows the 60).
  awk -v r="$rate" 'BEGIN { exit !(r > 1 && r < 64) }' || fail "a frame rate of $rate (all: $rates)"
done
settle "$window"
press "$window" Escape
expect_exit 27
