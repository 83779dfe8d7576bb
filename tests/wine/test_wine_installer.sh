#!/usr/bin/env bash
# The installer under Wine, in a fresh Wine prefix of its own. /S installs
# the zip's files into %LOCALAPPDATA%\Programs\Talmir, the Start menu entry
# "Talmir" pointing at talmir.exe and the Apps entry with its fields, and
# chooses no screensaver; the installed talmir.exe, started from another
# folder, draws the landscape, F12 saves a picture, Esc ends it with 27; the
# installed talmir.scr /s covers the screen. A newer version, made here with
# a changed licence file, installs over it while Talmir runs: Talmir is
# closed (with 0), there is one Apps entry, the newer files and none of the
# older's, and, asked for with /SCREENSAVER, the screensaver is Talmir's.
# The silent uninstall leaves the files and the registry as before the
# first install, but for the picture, which stays.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/saver.sh"
export WINEPREFIX=$BUILD/wine-prefix-installer
CLEANUP+=("$WINEPREFIX")
wine_prefix_create || fail "could not create the Wine prefix $WINEPREFIX"
start_screen 1024x768
work=$(mktemp -d)
CLEANUP+=("$work")
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Talmir'

win() { timeout 120 "$WINE" "$@" 2> /dev/null | tr -d '\r'; }
# reg_value KEY NAME: the value's data as reg query prints it.
reg_value() { win reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
# snapshot NAME: every file (with its size) and folder of drive C but the
# user's temporary files (where the uninstaller leaves its copy for Windows
# to delete), and the registry but Wine's own, into NAME.files and NAME.reg.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./users/*/Temp -prune -o -type f -printf 'f %s %p\n' -o -printf '%y %p\n') \
    | sort > "$work/$1.files"
  for hive in HKCU 'HKLM\Software'; do
    win reg export "$hive" "$work/hive.reg" /y > /dev/null
    iconv -f UTF-16 -t UTF-8 "$work/hive.reg" | tr -d '\r' | awk -v RS= '!/^\[HKEY_CURRENT_USER\\Software\\Wine/'
  done > "$work/$1.reg"
}
# install SETUP ARGUMENTS: the installer ends with 0.
install() {
  local status=0
  timeout 120 "$WINE" "$@" > /dev/null 2>&1 || status=$?
  [[ $status -eq 0 ]] || fail "$(basename "$1") $* ended with $status"
}
start_installed() {
  (cd "$work" && exec timeout --kill-after=5 120 "$WINE" "$folder/talmir.exe") > "$VIEWER_LOG" 2>&1 &
  VIEWER_PID=$!
  window=$(wait_for_window Talmir "$OPEN_SECONDS") || fail "no window titled Talmir from the installed talmir.exe"
}

# The user's Pictures a folder of the prefix's own, as on Windows (Wine
# links it to $HOME), so that the picture stays inside the prefix.
pictures=$(win winepath -u "$(win cmd /c echo %USERPROFILE%)")/Pictures
[[ -L "$pictures" ]] && rm "$pictures" && mkdir "$pictures"
snapshot before
# Wine grants everything; Windows reads the manifest: run as the user, no elevation prompt.
wrestool -x --raw --type=24 "$TALMIR_SETUP" | grep -q 'level="asInvoker"' || fail "the installer asks for elevation"
install "$TALMIR_SETUP" /S
location=$(win cmd /c echo %LOCALAPPDATA%)\\Programs\\Talmir
folder=$(win winepath -u "$location")
[[ -d "$folder" ]] || fail "nothing installed in $location"
grep -vx "Only in $folder: uninstall.exe" <(diff -r "$BUILD/zip/talmir" "$folder") && fail "the installed files differ from the zip's"
[[ -f "$folder/uninstall.exe" ]] || fail "no uninstall.exe"
link="$(win winepath -u "$(win cmd /c echo %APPDATA%)")/Microsoft/Windows/Start Menu/Programs/Talmir.lnk"
target=$(python3 - "$link" << 'END'
import struct, sys
link = open(sys.argv[1], 'rb').read()
flags, at = struct.unpack_from('<I', link, 20)[0], 76
at += 2 + struct.unpack_from('<H', link, at)[0] if flags & 1 else 0  # the item list
base = at + struct.unpack_from('<I', link, at + 16)[0]  # LinkInfo's local path
print(link[base:link.index(b'\0', base)].decode() if flags & 2 else '')
END
) || fail "no Start menu entry $link"
[[ "$target" == "$location\\talmir.exe" ]] || fail "the Start menu entry points at '$target'"
for field in "DisplayName=Talmir" "DisplayVersion=$TALMIR_VERSION" "Publisher=The Talmir developers" \
  "DisplayIcon=$location\\talmir.exe" "InstallLocation=$location" "UninstallString=\"$location\\uninstall.exe\""; do
  [[ "$(reg_value "$key" "${field%%=*}")" == "${field#*=}" ]] || fail "$key ${field%%=*}: $(reg_value "$key" "${field%%=*}")"
done
size=$(($(reg_value "$key" EstimatedSize))) kib=$(find "$folder" -type f -printf '%s\n' | awk '{s += $1} END {print int(s / 1024)}')
((size >= kib - 1 && size <= kib + 1)) || fail "EstimatedSize $size KiB for $kib KiB of files"
[[ -z "$(reg_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)" ]] || fail "a screensaver chosen without asking"

start_installed
wait_for_landscape 0 0 1024 768 60 || fail "the installed talmir.exe does not draw the landscape"
press "$window" F12
for _ in $(seq 300); do grep -q '^talmir: saved the picture' "$VIEWER_LOG" && break; sleep 0.1; done
press "$window" Escape
expect_exit 27
grep -q '^talmir: saved the picture' "$VIEWER_LOG" || fail "F12 saved no picture"
SAVER_FOLDER=$folder
start_saver /s
window=$(wait_for_window Talmir "$OPEN_SECONDS") || fail "no window from the installed talmir.scr /s"
wait_for_landscape 0 0 1024 768 60 || fail "the installed talmir.scr /s does not cover the screen"
press "$window" a
expect_exit 0

# The next version: a licence file of its own; a file only the older had.
IFS=. read -r major minor patch <<< "$TALMIR_VERSION"
newer=$major.$minor.$((patch + 1))
cp -r "$BUILD/zip/talmir" "$work/newer"
echo "(version $newer)" >> "$work/newer/LICENSE.txt"
makensis -V1 -DVERSION="$newer" -DSTAGE="$work/newer" -DICON="$TALMIR_WINDOWS_ICON" -DOUTFILE="$work/newer-setup.exe" \
  "$TALMIR_SOURCE_DIR/packaging/windows/talmir.nsi" || fail "makensis could not make version $newer"
touch "$folder/Tex/older.bmp"
start_installed
install "$work/newer-setup.exe" /S /SCREENSAVER
expect_exit 0
entries=$(win reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | grep -c 'DisplayName *REG_SZ *Talmir$' || true)
[[ $entries -eq 1 && "$(reg_value "$key" DisplayVersion)" == "$newer" ]] || fail "after the upgrade: $entries Apps" \
  "entries, version $(reg_value "$key" DisplayVersion)"
grep -vx "Only in $folder: uninstall.exe" <(diff -r "$work/newer" "$folder") && fail "the upgrade's files differ from version $newer's"
saver=$(reg_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)
[[ "$(win winepath -u "$saver")" -ef "$folder/talmir.scr" ]] || fail "/SCREENSAVER chose '$saver'"

install "$folder/uninstall.exe" /S
for _ in $(seq 300); do win reg query "$key" > /dev/null || break; sleep 0.1; done  # its copy runs on
sleep 1
snapshot after
grep -v -e '^[0-9]' -e '^[<>] $' -e '^> \[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\]$' \
  <(diff "$work/before.reg" "$work/after.reg") && fail "the registry differs after the uninstall (the Uninstall key itself, which Windows always has, aside)"
left=$(diff "$work/before.files" "$work/after.files" | grep '^[<>]') || true
[[ "$left" =~ ^'> f '[0-9]+' ./users/'[^/]+/Pictures/talmir-[0-9-]+\.png$ ]] || fail "after the uninstall, only" \
  "the picture should differ: $left"
