#!/usr/bin/env bash
# As on Linux: while talmir.exe's window is in front it puts the pointer
# back at (512, 384) after every frame; once another window has the focus
# it leaves the pointer alone.
source "$(dirname "$0")/common.sh"
start_wine_screen 1024x768
start_viewer
window=$(wait_for_window Talmir 60) || fail "no window titled Talmir"
xdotool windowfocus --sync "$window"

pointer() { xdotool getmouselocation | sed -E 's/x:([0-9]+) y:([0-9]+).*/\1,\2/'; }

xdotool mousemove 100 600
for _ in $(seq 50); do
  [[ "$(pointer)" == "512,384" ]] && break
  sleep 0.1
done
[[ "$(pointer)" == "512,384" ]] || fail "pointer not re-centred while in front: $(pointer)"

# Another client's window takes the focus.
xmessage -geometry 200x100+10+10 "another program" &
other=$!
other_window=$(wait_for_window xmessage 15) || fail "no second window"
xdotool windowfocus --sync "$other_window"
sleep 0.5
xdotool mousemove 100 600
sleep 1.5
[[ "$(pointer)" == "100,600" ]] || fail "pointer moved while another window had the focus: $(pointer)"
kill "$other"

# Back to the viewer with a click, as a user would: without a window manager
# Wine takes a click, not a bare change of X focus, as the window coming to
# the front (the program swallows the left button).
xdotool mousemove 300 300 click 1
settle "$window"
press "$window" Escape
expect_exit 27
