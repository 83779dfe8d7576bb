#!/usr/bin/env bash
# bmp2ppm from the outside: a PPM with the top row first and exit 0 for a
# good file; the loader's message on standard error and exit 1 otherwise.
set -euo pipefail

tool="${TALMIR_BUILD_DIR:?}/bmp2ppm"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Little-endian fields as printf escapes.
le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }

# A "BM" file with a 40-byte (or other-sized) header: width height bits headerSize pixel-bytes...
bitmap() {
  local width=$1 height=$2 bits=$3 size=$4; shift 4
  local fields="BM$(le32 0)$(le32 0)$(le32 $((14 + size)))$(le32 "$size")$(le32 "$width")$(le32 "$height")"
  fields+="$(le16 1)$(le16 "$bits")$(le32 0)$(le32 0)$(le32 0)$(le32 0)$(le32 0)$(le32 0)"
  printf "$fields"
  head -c $((size - 40)) /dev/zero
  for byte in "$@"; do printf "\\x$(printf %02x "$byte")"; done
}

# 2x2 at 24 bits, bottom row stored first: blue, green, red and two padding bytes a row.
bitmap 2 2 24 40 1 2 3 4 5 6 0 0 7 8 9 10 11 12 0 0 > "$work/small.bmp"
"$tool" "$work/small.bmp" > "$work/small.ppm" 2> "$work/small.err" || fail "a good file exits $?"
[[ ! -s "$work/small.err" ]] || fail "a good file wrote to standard error: $(cat "$work/small.err")"
printf 'P6\n2 2\n255\n\x09\x08\x07\x0c\x0b\x0a\x03\x02\x01\x06\x05\x04' > "$work/want.ppm"
cmp -s "$work/small.ppm" "$work/want.ppm" || fail "2x2 picture: got $(od -An -tu1 "$work/small.ppm" | tr -s ' ')"

# The same picture stored top-down gives the same PPM.
bitmap 2 -2 24 40 7 8 9 10 11 12 0 0 1 2 3 4 5 6 0 0 > "$work/topdown.bmp"
"$tool" "$work/topdown.bmp" | cmp -s - "$work/want.ppm" || fail "the top-down twin differs"

expect_failure() {  # file, message
  local status=0
  "$tool" "$1" > "$work/out.ppm" 2> "$work/out.err" || status=$?
  [[ $status -eq 1 ]] || fail "$1 exits $status, not 1"
  [[ ! -s "$work/out.ppm" ]] || fail "$1 wrote a picture"
  [[ "$(cat "$work/out.err")" == "$2" ]] || fail "$1 says '$(cat "$work/out.err")', not '$2'"
}

bitmap 2 2 24 108 1 2 3 4 5 6 0 0 7 8 9 10 11 12 0 0 > "$work/v4.bmp"
expect_failure "$work/v4.bmp" "Unknown DIB file format."
bitmap 2 2 24 40 1 2 3 > "$work/short.bmp"
expect_failure "$work/short.bmp" "Image file conversion error."
bitmap 70000 70000 24 40 0 > "$work/huge.bmp"
expect_failure "$work/huge.bmp" "Out of memory."
: > "$work/empty.bmp"
expect_failure "$work/empty.bmp" "Failed to open DIB file $work/empty.bmp."
expect_failure "$work/missing.bmp" "Failed to open DIB file $work/missing.bmp."

status=0
"$tool" > /dev/null 2>&1 || status=$?
[[ $status -eq 2 ]] || fail "no argument exits $status, not 2"
echo "bmp2ppm: all checks passed"
