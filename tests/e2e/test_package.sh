#!/usr/bin/env bash
# The Debian package as a user meets it: built by CPack from this build,
# lintian finds no errors or warnings in it, `apt-get install ./talmir_*.deb` installs it,
# XScreenSaver's link and settings file included, `talmir` started from / (a
# user's PATH, no TALMIR_DATA_DIR) shows the landscape, F12 writes a PNG of
# that picture into the pictures folder, Esc ends it, and removing the package leaves nothing of it under /usr.
# Installing needs root, as CI runs; elsewhere the script says why it skips.
source "$(dirname "$0")/common.sh"

skip() {
  echo "SKIP: $*"
  exit 77
}
[[ "${TALMIR_SANITIZE:-OFF}" != ON ]] || skip "the package is built and tried from the normal build, not the sanitizer build"
[[ $(id -u) == 0 ]] || skip "installing the package needs root (CI runs as root)"
command -v apt-get > /dev/null || skip "not a Debian system"
if [[ "$(dpkg-query -W -f='${Status}' talmir 2>/dev/null || true)" == "install ok installed" ]]; then
  skip "a talmir package is installed on this machine already; it is left as it is"
fi

work=$(mktemp -d)
CLEANUP+=("$work")
installed=no
remove_package() {
  [[ $installed == yes ]] && DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq talmir > /dev/null 2>&1
  installed=no
}
trap 'stop_viewer; stop_xvfb; remove_package; rm -rf "$VIEWER_LOG" "${CLEANUP[@]}"' EXIT

echo "$(date +%T) building the package"
(cd "$BUILD" && umask 022 && cpack -G DEB -B "$work/package") > "$work/cpack.log" 2>&1 || fail "cpack: $(cat "$work/cpack.log")"
deb=$(echo "$work"/package/talmir_"$TALMIR_VERSION"_*.deb)
[[ -f "$deb" ]] || fail "no $deb from cpack"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Depends Section
# Errors and warnings fail; what lintian only notes (info, pedantic) is shown.
said=$(lintian -I --fail-on error,warning "$deb" 2>&1) || fail "lintian reports errors or warnings: $said"
said=$(grep -v '^running with root privileges' <<<"$said" || true)
echo "lintian: ${said:-no errors, warnings or notes}"

echo "$(date +%T) installing it"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" > "$work/apt.log" 2>&1 \
  || fail "apt-get install: $(cat "$work/apt.log")"
installed=yes
# A user's PATH on Debian, with the games folder that root's lacks.
user_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
[[ "$(PATH=$user_path command -v talmir)" == /usr/games/talmir ]] || fail "talmir is not on a user's PATH"
# XScreenSaver finds it among its modules, and its settings dialog its entry.
[[ "$(readlink -f /usr/libexec/xscreensaver/talmir)" == /usr/games/talmir ]] \
  || fail "XScreenSaver's link does not reach the program: $(ls -l /usr/libexec/xscreensaver/talmir 2>&1)"
[[ -f /usr/share/xscreensaver/config/talmir.xml ]] || fail "no settings file for XScreenSaver"
[[ "$(dpkg-deb -f "$deb" Suggests)" == *xscreensaver* ]] || fail "the package does not suggest xscreensaver"

echo "$(date +%T) starting it"
home=$work/home
mkdir -p "$home/Pictures"
start_xvfb 1024x768
(cd / && exec env -u TALMIR_DATA_DIR HOME="$home" XDG_PICTURES_DIR="$home/Pictures" PATH=$user_path talmir) \
  > "$VIEWER_LOG" 2>&1 &
VIEWER_PID=$!
window=$(wait_for_window Talmir 30) || fail "no window titled Talmir"
wait_for_frames 1 || fail "the installed viewer drew nothing"
wait_for_picture "text > 300 && gap * 10 < text && green > 300 && fog > 20" \
  || fail "no landscape from the installed viewer: text=$text gap=$gap green=$green fog=$fog"
settle "$window"

press "$window" F12
for _ in $(seq 100); do
  grep -q "^talmir: saved the picture as " "$VIEWER_LOG" && break
  sleep 0.1
done
shot=$work/screen.png
"$BUILD/screengrab" "$shot" || fail "no screenshot"
saved=$(sed -n 's/^talmir: saved the picture as //p' "$VIEWER_LOG")
pictures=$(ls "$home/Pictures")
[[ "$saved" == "$home/Pictures/$pictures" && "$pictures" =~ ^talmir-[0-9]{8}-[0-9]{6}\.png$ ]] \
  || fail "F12 saved '$saved'; the pictures folder holds: $pictures"
match=$("$BUILD/tests/picture_compare" blocks "$saved" "$shot") || fail "cannot compare F12's picture with the screen"
f12_like_screen "$match"
press "$window" Escape
expect_exit 27

echo "$(date +%T) removing it"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}')
remove_package
left=$(for file in $files; do [[ -e "$file" || -L "$file" ]] && echo "$file"; done || true)
left+=$(find /usr \( -iname '*talmir*' -o -name "$TALMIR_APP_ID*" \) -print 2>/dev/null)
[[ -z "$left" ]] || fail "left under /usr after removal: $left"
echo "installed, run from /, F12 and removed: $(echo "$files" | wc -l) files, none left"
