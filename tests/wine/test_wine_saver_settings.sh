#!/usr/bin/env bash
# talmir.scr /c, as the Display settings' Settings button starts it, and
# talmir.scr with no arguments, as Explorer's Configure does: a box captioned
# Talmir, its only window, says there is nothing to set; OK closes it and
# Talmir ends with 0. /c:HWND, naming the Display settings' window (here
# saver_host.exe's) as the owner, shows the same box.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/saver.sh"
start_screen 800x600
unpack_zip
said=$'Talmir flies over its landscape by itself while the screen rests.\nThere is nothing to set.'

# settings ARGUMENTS...: the box appears, reads as it should, and OK ends it.
settings() {
  start_saver "$@"
  expect_box Talmir "$said" "talmir.scr $*"
  windows=$(xwininfo -root -tree | grep -c '"Talmir"') || true
  ((windows == 1)) || fail "talmir.scr $*: $windows windows titled Talmir, not the box alone"
  answer_box Talmir Return
  expect_exit 0
}

settings /c
settings
start_host 100 80 320 240
settings "/c:$HOST_WINDOW"
end_host
