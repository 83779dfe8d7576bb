#!/usr/bin/env bash
# Talmir run by the real XScreenSaver daemon, as its settings name it
# ("GL: talmir --root"): activated, the landscape fills the screen;
# deactivated, Talmir is gone within two seconds. The daemon runs no module
# as root, so under root it runs as nobody, with a home of its own and a
# copy of the program and its data that nobody can read.
source "$(dirname "$0")/common.sh"
if ! command -v xscreensaver > /dev/null || ! command -v xscreensaver-command > /dev/null; then
  echo "SKIP: XScreenSaver is not installed (scripts/ensure-packages.sh test)"
  exit 77
fi
start_screen 640x480 -ac

SAVER_HOME=$(mktemp -d)
CLEANUP+=("$SAVER_HOME")
mkdir "$SAVER_HOME/talmir"
cp "$BUILD/talmir" "$SAVER_HOME/talmir/"
cp -r "$BUILD/run" "$SAVER_HOME/talmir/run"
PROGRAM=$SAVER_HOME/talmir/talmir
cat > "$SAVER_HOME/.xscreensaver" <<END
mode: one
selected: 0
lock: False
fade: False
unfade: False
splash: False
timeout: 0:30:00
programs: GL: $PROGRAM --root \\n
END
chmod -R a+rX "$SAVER_HOME"

# as_saver_user COMMAND...: the command as the daemon's user, in its home.
as_saver_user() {
  if [[ $(id -u) == 0 ]]; then
    chown -R 65534:65534 "$SAVER_HOME"
    setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$SAVER_HOME" "$@"
  else
    env HOME="$SAVER_HOME" "$@"
  fi
}

DAEMON_LOG=$SAVER_HOME/daemon.log
as_saver_user xscreensaver --no-splash --verbose > "$DAEMON_LOG" 2>&1 &
DAEMON_PID=$!
stop_daemon() {
  kill "$DAEMON_PID" 2>/dev/null || true
  wait "$DAEMON_PID" 2>/dev/null || true
}
stop_screen() {
  stop_daemon
  stop_xvfb
}
daemon_fail() {
  echo "--- the daemon's log:" >&2
  cat "$DAEMON_LOG" >&2
  fail "$@"
}

for _ in $(seq 300); do
  xscreensaver-command -version > /dev/null 2>&1 && break
  gone "$DAEMON_PID" && daemon_fail "the daemon ended"
  sleep 0.1
done
xscreensaver-command -version > /dev/null 2>&1 || daemon_fail "the daemon does not answer"

start=$(now_ms)
xscreensaver-command -activate > /dev/null || daemon_fail "xscreensaver-command -activate failed"
wait_for_area "$LANDSCAPE" 60 0 0 640 480 ||
  daemon_fail "no landscape on the screen: plain=$plain green=$green sky=$sky (per mille)"
echo "activation to the first picture: $(($(now_ms) - start)) ms (green $green, sky $sky per mille)"
saver=$(pgrep -f "^$PROGRAM --root") || daemon_fail "the landscape is there but not Talmir's process"
wait_for_frames 2 || daemon_fail "the view does not move by itself"

start=$(now_ms)
xscreensaver-command -deactivate > /dev/null || daemon_fail "xscreensaver-command -deactivate failed"
wait_gone "$saver" 10 || daemon_fail "Talmir still runs 10 s after the deactivation"
elapsed=$((GONE_MS - start))
echo "deactivation to Talmir gone: $elapsed ms"
((elapsed <= 2000)) || daemon_fail "Talmir took $elapsed ms to go"
