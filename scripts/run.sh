#!/usr/bin/env bash
# Starts Talmir from BUILD/run. Where there is no display it runs the viewer
# on a virtual screen for a few seconds and keeps a screenshot instead.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
cd "$build/run"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$build/talmir"
fi

source "$here/xvfb.sh"
echo "No display here: running Talmir on a virtual 1024x768 screen for a few seconds."
start_xvfb 1024x768
trap stop_xvfb EXIT
"$build/talmir" &
viewer=$!
if ! window=$(wait_for_window Talmir 20); then
  wait_for_exit $viewer 5 || true
  echo "Talmir did not open its window (exit code $EXIT_CODE)." >&2
  exit 1
fi
sleep 4
"$build/screengrab" "$build/screenshot.png"
press "$window" Escape
wait_for_exit $viewer 10 || true
echo "Talmir ended (exit code $EXIT_CODE). Its screenshot: $build/screenshot.png"
