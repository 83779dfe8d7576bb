#!/usr/bin/env bash
# Without any display the failure goes to standard error and Talmir ends with 0.
source "$(dirname "$0")/common.sh"
unset DISPLAY WAYLAND_DISPLAY
start_viewer
expect_exit 0
grep -q "Failed To Register The Window Class." "$VIEWER_LOG" || fail "no message on standard error"
grep -q "no display could be reached" "$VIEWER_LOG" || fail "no reason on standard error"
