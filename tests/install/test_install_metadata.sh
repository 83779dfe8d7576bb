#!/usr/bin/env bash
# The installed menu entry, AppStream metadata and manual page pass their
# validators (AppStream's without any remark but the pedantic ones), and they
# agree with each other and with the program: one application id (the window
# class too), the command, the version and its release date, the options
# --help lists.
source "$(dirname "$0")/common.sh"
install_into /usr
usr=$STAGE/usr
desktop=$usr/share/applications/$APP_ID.desktop
metainfo=$usr/share/metainfo/$APP_ID.metainfo.xml
manual=$usr/share/man/man6/talmir.6

said=$(desktop-file-validate "$desktop" 2>&1) && [[ -z "$said" ]] || fail "desktop-file-validate: $said"
said=$(appstreamcli validate --no-net --strict "$metainfo" 2>&1) || fail "appstreamcli validate: $said"
echo "appstreamcli validate --no-net --strict: $said"
said=$(groff -ww -z -man "$manual" 2>&1) && [[ -z "$said" ]] || fail "groff -ww -z -man: $said"

grep -qx "Icon=$APP_ID" "$desktop" || fail "the menu entry's icon is not $APP_ID"
grep -qx "Exec=talmir" "$desktop" || fail "the menu entry does not start talmir"
# The running window's class (X11) and app id (Wayland) are the entry's name,
# so the desktop ties the window to the entry (tests/e2e/test_shell_window_class.sh).
grep -qx "StartupWMClass=$APP_ID" "$desktop" || fail "the menu entry's window class is not $APP_ID"
grep -q "<id>$APP_ID</id>" "$metainfo" || fail "the metadata's id is not $APP_ID"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" \
  || fail "the metadata does not launch $APP_ID.desktop"
grep -q "<release version=\"$VERSION\"" "$metainfo" || fail "no release $VERSION in the metadata"
grep -q "^\.TH TALMIR 6 .* \"talmir $VERSION\"" "$manual" || fail "the manual page is not for talmir $VERSION"
[[ "$(head -1 "$usr/share/doc/talmir/changelog")" == "talmir ($VERSION) unstable; urgency=medium" ]] \
  || fail "the changelog does not start with $VERSION"
[[ "$("$usr/bin/talmir" --version)" == "talmir $VERSION" ]] || fail "the program is not talmir $VERSION"

# One release date: the metadata's release entry, the manual page's date and
# the changelog's moment (noon UTC that day, with its weekday).
date=$(sed -n "s/.*<release version=\"$VERSION\" date=\"\([0-9-]*\)\".*/\1/p" "$metainfo")
[[ -n "$date" ]] || fail "the metadata's release $VERSION has no date"
grep -q "^\.TH TALMIR 6 \"$date\" " "$manual" || fail "the manual page is not dated $date"
moment=$(sed -n 's/^ -- .*>  //p' "$usr/share/doc/talmir/changelog")
[[ "$moment" == "$(LC_ALL=C date -u -R -d "$date 12:00")" ]] || fail "the changelog's moment $moment is not noon on $date"

# Every option the program lists is in the manual page too.
# An option that takes an argument (--window-id ID) stands on a .BI line.
for option in $("$usr/bin/talmir" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  grep -q "^\.BI\{0,1\} ${option//-/\\\\-}\( .*\)\{0,1\}\$" "$manual" || fail "the manual page lacks $option"
done
