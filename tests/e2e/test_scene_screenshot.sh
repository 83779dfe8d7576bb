#!/usr/bin/env bash
# The screen a moment after start shows the landscape (plants and grass, the
# sky in the fog's colour) with the overlay's two lines at the top left.
source "$(dirname "$0")/common.sh"
shot=$(mktemp --suffix=.png)
trap 'stop_viewer; stop_xvfb; rm -f "$VIEWER_LOG" "$shot"' EXIT
start_xvfb 1024x768
start_viewer
window=$(wait_for_window Talmir 30) || fail "no window titled Talmir"
sleep 2
"$BUILD/screengrab" "$shot" || fail "no screenshot"
eval "$("$BUILD/tests/picture_stats" "$shot")"
echo "screenshot: text=$text gap=$gap green=$green fog=$fog"
((text > 300)) || fail "no overlay lines at the top left (text=$text)"
((gap * 10 < text)) || fail "light pixels below the overlay lines too (gap=$gap, text=$text)"
((green > 300)) || fail "no landscape: green=$green per mille"
((fog > 20)) || fail "no sky in the fog colour: fog=$fog per mille"
settle "$window"
press "$window" Escape
expect_exit 27
