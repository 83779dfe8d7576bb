#!/usr/bin/env bash
# An install into a temporary DESTDIR, checked file by file: exactly the
# program, the nine textures and the sound as the generator made them, the
# menu entry, three icons of their sizes, the metadata, the manual page,
# the documents and XScreenSaver's link and settings file, with the usual modes; another prefix gets the same tree.
source "$(dirname "$0")/common.sh"

[[ $(asset_files | grep -c '^Tex/.*\.bmp$') == 9 && $(asset_files | grep -c '^Sound/') == 1 ]] \
  || fail "cannot read the asset list: $(asset_files)"

for prefix in /usr /opt/talmir; do
  rm -rf "${STAGE:?}"/*
  install_into "$prefix"
  actual=$(cd "$STAGE" && find . -type f -o -type l | sed 's#^\./##' | sort)
  [[ "$actual" == "$(expected_files "$prefix")" ]] \
    || fail "installed under $prefix, the files differ from the expected ones:
$(diff <(expected_files "$prefix") <(echo "$actual"))"
done

root=$STAGE/opt/talmir
for file in $(asset_files); do
  cmp -s "$BUILD/run/$file" "$root/share/talmir/$file" || fail "$file is not the generated one"
done
for size in 48 128 256; do
  kind=$(file -b "$root/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png")
  [[ "$kind" == "PNG image data, $size x $size, 8-bit/color RGBA, non-interlaced" ]] \
    || fail "the ${size}x${size} icon is: $kind"
done
odd=$(cd "$root" && find . \( -type f ! -path ./bin/talmir ! -perm 644 \) -o \( -type d ! -perm 755 \))
[[ -z "$odd" && $(stat -c %a "$root/bin/talmir") == 755 ]] || fail "unusual modes: $odd bin/talmir"
[[ "$("$root/bin/talmir" --version)" == "talmir $VERSION" ]] || fail "the installed program does not run"
echo "installed under /usr and /opt/talmir: $(expected_files /usr | wc -l) files each"
