#!/usr/bin/env bash
# The screen a moment after start shows the landscape (plants and grass, the
# sky in the fog's colour) with the overlay's two lines at the top left.
source "$(dirname "$0")/common.sh"
open_viewer 1024x768
# The first frames that reach the screen, until one shows it all.
wait_for_picture "text > 300 && gap * 10 < text && green > 300 && fog > 20" || true
echo "screenshot: text=$text gap=$gap green=$green fog=$fog"
((text > 300)) || fail "no overlay lines at the top left (text=$text)"
((gap * 10 < text)) || fail "light pixels below the overlay lines too (gap=$gap, text=$text)"
((green > 300)) || fail "no landscape: green=$green per mille"
((fog > 20)) || fail "no sky in the fog colour: fog=$fog per mille"
settle "$window"
press "$window" Escape
expect_exit 27
