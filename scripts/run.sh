#!/usr/bin/env bash
# Starts Talmir from BUILD/run. Where there is no display it runs the viewer
# on a virtual screen until it has drawn the landscape, and keeps a
# screenshot of it instead.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
cd "$build/run"

# Esc ends the viewer with 27 and closing its window with 0: both are a
# normal end, not an error for make to report.
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  code=0
  "$build/talmir" || code=$?
  [[ $code == 27 ]] && code=0
  exit $code
fi

source "$here/xvfb.sh"
echo "No display here: running Talmir on a virtual 1024x768 screen for a screenshot."
start_xvfb 1024x768
trap stop_xvfb EXIT
"$build/talmir" &
viewer=$!
if ! window=$(wait_for_window Talmir 20); then
  wait_for_exit $viewer 5 || true
  echo "Talmir did not open its window (exit code $EXIT_CODE)." >&2
  exit 1
fi
# The landscape is drawn once the screen changes: the window is blank until
# the first frame, and each frame after it differs (the view turns by itself).
first=$(mktemp --suffix=.png)
"$build/screengrab" "$first"
drawn=no deadline=$((SECONDS + 30))
while ((SECONDS < deadline)); do
  sleep 0.1
  "$build/screengrab" "$build/screenshot.png"
  if ! cmp -s "$first" "$build/screenshot.png"; then drawn=yes; break; fi
done
rm -f "$first"
press "$window" Escape
wait_for_exit $viewer 10 || true
if [[ $drawn != yes ]]; then
  echo "Talmir drew nothing on the virtual screen in 30 s (exit code $EXIT_CODE)." >&2
  exit 1
fi
echo "Talmir ended (exit code $EXIT_CODE). Its screenshot: $build/screenshot.png"
