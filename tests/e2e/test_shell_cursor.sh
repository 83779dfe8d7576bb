#!/usr/bin/env bash
# While Talmir has the input focus it puts the pointer back at (512, 384)
# after every frame; once another window has the focus it leaves the
# pointer alone.
source "$(dirname "$0")/common.sh"
start_xvfb 1024x768
start_viewer
window=$(wait_for_window Talmir 30) || fail "no window titled Talmir"
xdotool windowfocus --sync "$window"

pointer() { xdotool getmouselocation | sed -E 's/x:([0-9]+) y:([0-9]+).*/\1,\2/'; }

xdotool mousemove 100 600
for _ in $(seq 50); do
  [[ "$(pointer)" == "512,384" ]] && break
  sleep 0.1
done
[[ "$(pointer)" == "512,384" ]] || fail "pointer not re-centred while focused: $(pointer)"

# Another client's window takes the focus.
xmessage -geometry 200x100+10+10 "another program" &
other=$!
other_window=$(wait_for_window xmessage 15) || fail "no second window"
xdotool windowfocus --sync "$other_window"
# Two frames: the viewer has taken the focus change. Three more after the
# move: had it still been putting the pointer back, it would have by then.
wait_for_frames 2 || fail "the viewer drew nothing after losing the focus"
xdotool mousemove 100 600
wait_for_frames 3 || fail "the viewer drew nothing while another window had the focus"
[[ "$(pointer)" == "100,600" ]] || fail "pointer moved while another window had the focus: $(pointer)"
kill "$other"

xdotool windowfocus --sync "$window"
settle "$window"
press "$window" Escape
expect_exit 27
