#!/usr/bin/env bash
# F12 in talmir.exe under Wine saves the picture into the user's Pictures
# known folder (%USERPROFILE%\Pictures, under the Wine prefix's user
# profile) as talmir-YYYYMMDD-HHMMSS.png, says so on its output with the
# Windows path, and the file holds the picture on the screen.
source "$(dirname "$0")/common.sh"
start_screen 1024x768

profile=$(timeout 60 "$WINE" cmd /c echo %USERPROFILE% | tr -d '\r')
[[ "$profile" == ?:\\* ]] || fail "Wine gives no user profile: '$profile'"
pictures="$profile\\Pictures"
work=$(mktemp -d)
CLEANUP+=("$work")

start_viewer
window=$(wait_for_window Talmir "$OPEN_SECONDS") || fail "no window titled Talmir"
settle "$window"
press "$window" F12
saved=
for _ in $(seq 300); do
  saved=$(sed -n 's/^talmir: saved the picture as //p' "$VIEWER_LOG" | tr -d '\r')
  [[ -n "$saved" ]] && break
  sleep 0.1
done
[[ -n "$saved" ]] || fail "F12 saved nothing"
"$SCREENGRAB" "$work/screen.png" || fail "no screenshot"
[[ "$saved" =~ ^${pictures//\\/\\\\}\\talmir-[0-9]{8}-[0-9]{6}\.png$ ]] || fail "F12 saved '$saved', not into $pictures"
file=$(timeout 60 "$WINE" winepath -u "$saved" 2> /dev/null | tr -d '\r')
CLEANUP+=("$file")
[[ -f "$file" ]] || fail "no file $file for $saved"
match=$(timeout 60 "$WINE" "$BUILD/picture_compare.exe" blocks "$file" "$work/screen.png") \
  || fail "cannot compare F12's picture with the screen"
f12_like_screen "$match"
press "$window" Escape
expect_exit 27
