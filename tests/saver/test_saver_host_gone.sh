#!/usr/bin/env bash
# The host window destroyed under Talmir, as a screensaver's host may be at
# any moment: Talmir ends at once with 0, without an X error. And the
# terminal's interrupt ends it the same way while it draws in a host.
source "$(dirname "$0")/common.sh"
start_screen 640x480

start_host 320 240 0 0
start_viewer --window-id "$HOST_ID"
wait_for_area "$LANDSCAPE" 30 0 0 320 240 || fail "no landscape in the host window: plain=$plain green=$green"
start=$(now_ms)
host_says destroy
viewer_ends 10
elapsed=$(($(now_ms) - start))
echo "host destroyed to exit: $elapsed ms, exit code $EXIT_CODE"
[[ "$EXIT_CODE" == 0 ]] || fail "host destroyed: exit code $EXIT_CODE, expected 0"
((elapsed <= 2000)) || fail "host destroyed: the viewer took $elapsed ms to end"
! grep -qi "X Error\|BadWindow\|BadDrawable" "$VIEWER_LOG" || fail "an X error once the host had gone"
stop_host

start_host 320 240 0 0
start_viewer --window-id "$HOST_ID"
wait_for_area "$LANDSCAPE" 30 0 0 320 240 || fail "no landscape in the second host window"
ends_on INT
