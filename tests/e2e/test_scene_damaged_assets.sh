#!/usr/bin/env bash
# Damaged assets, in a copy of the run folder: a missing Tex/List/krik.bmp
# gives "Initialization Failed." alone; an empty Tex/zem.bmp first the
# loader's open failure naming it, then "Initialization Failed.". Both end
# with exit code 0, and standard error names the file, the folder and why,
# as it does for a missing sound, which stops nothing.
# On the virtual screen the boxes are answered by their captions; without a
# display (offscreen driver) their texts go to standard error: the frame tool
# opens the same scene offscreen, and the script reads them there word for
# word.
source "$(dirname "$0")/common.sh"
copy=$(mktemp -d)
CLEANUP+=("$copy")

start_in_copy() {
  # The data beside the program would be found first: name the copy.
  (cd "$copy/run" && TALMIR_DATA_DIR="$copy/run" exec "$BUILD/talmir") >"$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

answer_box() {  # caption
  local box
  box=$(wait_for_window "$1" 30) || fail "no box captioned $1"
  xdotool key --window "$box" Return
}

# Without a display the boxes cannot be shown and their texts go to standard
# error; the tool adds its own last line, which is left out.
texts_offscreen() {
  env -u DISPLAY "$BUILD/talmir-frames" --run-dir "$copy/run" --out "$copy/frames" --frames 1 2>&1 \
    | grep -v '^talmir-frames:'
}

start_xvfb 1024x768

damaged_copy "$copy" "rm Tex/List/krik.bmp"
start_in_copy
answer_box ERROR
expect_exit 0
missing="talmir: cannot open Tex/List/krik.bmp in $copy/run: No such file or directory"
grep -qxF "$missing" "$VIEWER_LOG" || fail "the viewer did not say: $missing"
[[ "$(texts_offscreen)" == "$missing"$'\n'"ERROR: Initialization Failed." ]] \
  || fail "missing krik.bmp says: $(texts_offscreen)"

damaged_copy "$copy" ": > Tex/zem.bmp"
start_in_copy
answer_box Error
answer_box ERROR
expect_exit 0
empty="talmir: cannot read Tex/zem.bmp in $copy/run: the file is empty"
grep -qxF "$empty" "$VIEWER_LOG" || fail "the viewer did not say: $empty"
# The box's text ends in a line feed of its own; the line naming the file
# follows the box.
expected=$'Error: Failed to open DIB file Tex/zem.bmp.\n\n'"$empty"$'\nERROR: Initialization Failed.'
[[ "$(texts_offscreen)" == "$expected" ]] || fail "empty zem.bmp says: $(texts_offscreen)"
# build/run itself is untouched.
[[ -s "$BUILD/run/Tex/zem.bmp" && -s "$BUILD/run/Tex/List/krik.bmp" ]] || fail "build/run was damaged"

# A missing sound stops nothing: the scene is drawn, silently, and standard
# error names the file.
damaged_copy "$copy" "rm Sound/sound.wav"
said=$(env -u DISPLAY SDL_AUDIODRIVER=dummy "$BUILD/talmir-frames" --run-dir "$copy/run" --out "$copy/frames" \
  --frames 1 2>&1) || fail "no frame without the sound: $said"
[[ "$said" == "talmir: cannot open Sound/sound.wav in $copy/run: No such file or directory" ]] \
  || fail "missing sound.wav says: $said"
