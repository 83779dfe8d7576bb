# common.sh: what the Wayland scripts share. Each starts a virtual X screen
# with weston on it (weston's X11 backend: one output window at the screen's
# top left, whose picture the screen shows and which hands xdotool's keys,
# moves and clicks on as Wayland input), and Talmir on weston through SDL's
# Wayland driver; DISPLAY stays set, as XWayland's is on a Wayland desktop.
# The end-to-end scripts' helpers (tests/e2e/common.sh, tests/lib/x11.sh)
# serve here too; what differs is said below: the screen comes with weston,
# the viewer's window is not an X window, so WINDOW is weston's output
# window (xdotool's keys go there), and nothing puts the pointer back at an
# anchor.
source "$TALMIR_SOURCE_DIR/tests/e2e/common.sh"

if ! command -v weston > /dev/null; then
  echo "weston is not installed (scripts/ensure-packages.sh wayland)"
  exit 77
fi

# A folder without libdecor's plugins: LIBDECOR_PLUGIN_DIR=$NO_DECORATIONS
# gives the window no decorations, as on a compositor without them and
# without the plugin. The cairo plugin (the wayland purpose) draws a title
# bar with a close button otherwise.
NO_DECORATIONS=$(mktemp -d)
CLEANUP+=("$NO_DECORATIONS")

# start_screen SIZE [OUTPUT_SIZE]: the X screen, weston on it with an output
# of OUTPUT_SIZE (SIZE unless given), and OUTPUT set to weston's window, which
# has the X focus. weston needs XDG_RUNTIME_DIR, a folder of mode 0700.
start_screen() {
  local output=${2:-$1}
  start_xvfb "$1"
  RUNTIME_DIR=$(mktemp -d)
  WAYLAND_SOCKET=talmir-test-$$
  # The desktop without its fade-in, so the screen shows each picture as the
  # viewer drew it from the start. A closed window still fades out, as by
  # default: the compositor's state of a closing window lives on a moment
  # longer then, and sends it events (what crashed SDL 2.26 after F1).
  printf '[shell]\nstartup-animation=none\n' > "$RUNTIME_DIR/weston.ini"
  XDG_RUNTIME_DIR=$RUNTIME_DIR weston --backend=x11-backend.so --width="${output%x*}" --height="${output#*x}" \
    --socket="$WAYLAND_SOCKET" --idle-time=0 --config="$RUNTIME_DIR/weston.ini" --log="$RUNTIME_DIR/weston.log" &
  WESTON_PID=$!
  OUTPUT=$(wait_for_window "Weston Compositor - screen0" 30) || fail "weston did not start: $(weston_log)"
  for _ in $(seq 100); do
    [[ -S "$RUNTIME_DIR/$WAYLAND_SOCKET" ]] && break
    sleep 0.1
  done
  [[ -S "$RUNTIME_DIR/$WAYLAND_SOCKET" ]] || fail "weston made no socket: $(weston_log)"
  xdotool windowfocus --sync "$OUTPUT"
}

stop_screen() {
  [[ -n "${WESTON_PID:-}" ]] && kill "$WESTON_PID" 2>/dev/null && wait "$WESTON_PID" 2>/dev/null
  WESTON_PID=
  stop_xvfb
  [[ -n "${RUNTIME_DIR:-}" ]] && rm -rf "$RUNTIME_DIR"
  RUNTIME_DIR=
}

weston_log() {
  cat "$RUNTIME_DIR/weston.log" 2>/dev/null || true
}

# start_viewer [ARGUMENT...]: build/talmir in build/run on weston; VIEWER_PID
# names it. WAYLAND_ENV may add variables (NAME=VALUE ...).
start_viewer() {
  (cd "$BUILD/run" && exec env XDG_RUNTIME_DIR="$RUNTIME_DIR" WAYLAND_DISPLAY="$WAYLAND_SOCKET" \
    SDL_VIDEODRIVER=wayland ${WAYLAND_ENV:-} "$BUILD/talmir" "$@") >"$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
}

# FRAME_TOP: where the viewer's frame starts on the screen: 0 fullscreen; a
# framed window sits below weston's panel, its title bar drawn over the panel.
FULLSCREEN_TOP=0 WINDOW_TOP=32

# open_viewer SIZE [ARGUMENT...]: a screen of that size with weston, the
# viewer started on it, and WINDOW set to weston's window once the overlay's
# lines are on the screen (at the top of the frame: fullscreen unless
# --windowed is given).
open_viewer() {
  local size=$1 top=$FULLSCREEN_TOP
  shift
  [[ " $* " == *" --windowed "* ]] && top=$WINDOW_TOP
  start_screen "$size"
  start_viewer "$@"
  wait_for_picture "text > 300" 0 "$top" || fail "no picture of the viewer (text=$text)"
  window=$OUTPUT
}

# settle: the viewer has drawn two more frames, so it has taken every input
# that was on its way (nothing puts the pointer back on Wayland).
settle() {
  xdotool windowfocus --sync "$OUTPUT" 2>/dev/null || true
  wait_for_frames 2
}
