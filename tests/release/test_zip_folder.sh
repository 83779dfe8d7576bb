#!/usr/bin/env bash
# cmake/zip_folder.py, which packs the Windows zip and the page's zip: two
# folders with the same files, made in another order, at other times, under
# other umasks, packed in other time zones, give the same bytes; members are
# sorted with each folder before what it holds, programs 755, other files and
# folders 644 and 755, all dated SOURCE_DATE_EPOCH; and unzip reads it back.
set -euo pipefail
SOURCE=$TALMIR_SOURCE_DIR
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
epoch=1700000000  # 2023-11-14 22:13:20 UTC

# make_tree FOLDER UMASK ORDER: the same files, written in ORDER (forward or reverse).
make_tree() {
  local top=$1/pack names=(run Tex/b.bmp Tex/a.bmp Tex/Sub/c.bmp Sound/s.wav a-z.txt) name
  [[ $3 == reverse ]] && names=(a-z.txt Sound/s.wav Tex/Sub/c.bmp Tex/a.bmp Tex/b.bmp run)
  (
    umask "$2"
    for name in "${names[@]}"; do
      mkdir -p "$(dirname "$top/$name")"
      printf 'file %s\n' "$name" > "$top/$name"
    done
    chmod u+x "$top/run"
  )
}
make_tree "$work/first" 022 forward
make_tree "$work/second" 077 reverse
touch -d '2001-02-03 04:05:06' "$work/second/pack/Tex/a.bmp"
SOURCE_DATE_EPOCH=$epoch TZ=UTC python3 "$SOURCE/cmake/zip_folder.py" "$work/first.zip" "$work/first/pack"
SOURCE_DATE_EPOCH=$epoch TZ=Asia/Kolkata python3 "$SOURCE/cmake/zip_folder.py" "$work/second.zip" "$work/second/pack"
cmp "$work/first.zip" "$work/second.zip" || fail "the same files packed twice give different zips"

listing=$(TZ=UTC zipinfo -T "$work/first.zip" | awk '$1 ~ /^[-d][-rwx]+$/ { print $1, $7, $8 }')
expected="drwxr-xr-x 20231114.221320 pack/
drwxr-xr-x 20231114.221320 pack/Sound/
-rw-r--r-- 20231114.221320 pack/Sound/s.wav
drwxr-xr-x 20231114.221320 pack/Tex/
drwxr-xr-x 20231114.221320 pack/Tex/Sub/
-rw-r--r-- 20231114.221320 pack/Tex/Sub/c.bmp
-rw-r--r-- 20231114.221320 pack/Tex/a.bmp
-rw-r--r-- 20231114.221320 pack/Tex/b.bmp
-rw-r--r-- 20231114.221320 pack/a-z.txt
-rwxr-xr-x 20231114.221320 pack/run"
[[ "$listing" == "$expected" ]] || fail "the zip's members:
$(diff <(echo "$expected") <(echo "$listing"))"
mkdir "$work/out"
unzip -q "$work/first.zip" -d "$work/out" || fail "unzip cannot read the zip"
diff -r "$work/first/pack" "$work/out/pack" || fail "unpacked, the zip's files differ from the folder's"
echo "two packings of the same files: the same $(stat -c %s "$work/first.zip") bytes"
