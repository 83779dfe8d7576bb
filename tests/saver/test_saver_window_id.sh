#!/usr/bin/env bash
# Talmir drawing in another program's X window (--window-id), as in a
# screensaver's host: --root alone draws in the screen's root window; a
# window that does not exist is refused; in a bare 320x240 window the
# landscape fills the window and nothing around it changes, follows the
# window to a new size, and SIGTERM ends it with 0 within a second, leaving
# the window as it was. In a small window its frame rate is the pacing's 60.
source "$(dirname "$0")/common.sh"
start_screen 640x480

unset XSCREENSAVER_WINDOW
start_viewer --root
wait_for_area "$LANDSCAPE" 30 0 0 640 480 || fail "--root: no landscape on the screen: plain=$plain green=$green"
kill -TERM "$VIEWER_PID"
viewer_ends 10
[[ "$EXIT_CODE" == 0 ]] || fail "--root: exit code $EXIT_CODE after SIGTERM, expected 0"

start_viewer --window-id 0x7fffffff
viewer_ends 20
[[ "$EXIT_CODE" == 1 ]] || fail "a missing window: exit code $EXIT_CODE, expected 1"
grep -q "there is no window 0x7fffffff" "$VIEWER_LOG" || fail "a missing window: no message saying so"

start_host 320 240 100 80
start_viewer --window-id "$HOST_ID"
wait_for_area "$LANDSCAPE && outside == 0" 30 100 80 320 240 ||
  fail "no landscape in the host window: plain=$plain green=$green sky=$sky outside=$outside (per mille)"
echo "in the host: green $green, sky $sky, backdrop $plain per mille; around it changed: $outside per mille"
wait_for_frames 2 || fail "the view does not move by itself"

host_says "resize 400x300"
wait_for_area "$LANDSCAPE && outside == 0" 30 100 80 400 300 ||
  fail "the landscape did not follow the host to 400x300: plain=$plain green=$green outside=$outside"

ends_on TERM
# The host belongs to another program: Talmir leaves it shown, at its size.
viewable "$HOST_ID" || fail "the host window was unmapped or destroyed when Talmir ended"
[[ "$(geometry "$HOST_ID")" == 400x300+* ]] || fail "the host window's geometry changed: $(geometry "$HOST_ID")"

# A small window is cheap to draw, so the swap's pacing, not the drawing,
# sets the frame rate: about 60 a second on Xvfb's 60 Hz, never more.
host_says "resize 160x120"
start_viewer --fps --window-id "$HOST_ID"
deadline=$((SECONDS + 30))
until (($(grep -c ' fps$' "$VIEWER_LOG") >= 5)) || ((SECONDS > deadline)); do sleep 0.2; done
rates=$(grep ' fps$' "$VIEWER_LOG" | tail -n +2 | cut -d' ' -f1 | sort -n | tr '\n' ' ')
echo "frame rates in a 160x120 host with --fps: $rates"
median=$(echo "$rates" | awk '{ print $(int((NF + 1) / 2)) }')
[[ -n "$median" ]] || fail "--fps printed no rate: $(cat "$VIEWER_LOG")"
awk -v r="$median" 'BEGIN { exit !(r >= 40 && r < 64) }' || fail "the frame rate is $median, not about 60 (all: $rates)"
kill -TERM "$VIEWER_PID"
viewer_ends 10
