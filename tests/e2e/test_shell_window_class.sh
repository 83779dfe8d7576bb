#!/usr/bin/env bash
# The window's class is the menu entry's name (org.talmir.Talmir, with
# StartupWMClass saying so), so a desktop's dock and task switcher tie the
# running window to the entry and its icon: in both modes, and after F1
# made the window anew.
source "$(dirname "$0")/common.sh"
open_viewer 1024x768

expected="WM_CLASS(STRING) = \"$TALMIR_APP_ID\", \"$TALMIR_APP_ID\""
said=$(xprop -id "$window" WM_CLASS)
[[ "$said" == "$expected" ]] || fail "the fullscreen window's class: $said"

press "$window" F1
window=$(wait_for_geometry Talmir "1024x768+8+31") || fail "F1 did not switch to the window"
said=$(xprop -id "$window" WM_CLASS)
[[ "$said" == "$expected" ]] || fail "the framed window's class: $said"

settle "$window"
press "$window" Escape
expect_exit 27
