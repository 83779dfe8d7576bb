#!/usr/bin/env bash
# On an 800x600 screen Windows cannot set the 1024x768 mode: talmir.exe
# asks "Kvel GL". Yes (Return, the default button) opens the decorated
# window (as large as Windows lets a framed window be on this screen), and
# Esc ends it with 27; No ("n") says "Program Will Now Close."
# and ends with 0, no window opened. As the Linux build does.
source "$(dirname "$0")/common.sh"
start_screen 800x600

start_viewer
answer_box "Kvel GL" Return
window=$(wait_for_decorated Talmir) || fail "no decorated window after Yes"
settle "$window"
press "$window" Escape
expect_exit 27

start_viewer
expect_box "Kvel GL" $'The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?' \
  "the question"
answer_box "Kvel GL" n
expect_box ERROR "Program Will Now Close." "after No"
[[ -z "$(window_id Talmir)" ]] || fail "a Talmir window opened after No"
answer_box ERROR Return
expect_exit 0
