#!/usr/bin/env bash
# A release zip holds one top folder with exactly the files given, each the
# same as its source (a folder: the same files throughout).
# Usage: check_zip.sh ZIP TOP NAME=SOURCE...
set -euo pipefail
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
zip=$1
top=$2
shift 2
[[ -f "$zip" ]] || fail "no $zip"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work" || fail "unzip cannot read $zip"
tops=$(ls -A "$work")
[[ "$tops" == "$top" ]] || fail "$(basename "$zip") holds '$tops' at its top, not $top"
expected=$(for pair in "$@"; do echo "${pair%%=*}"; done | sort)
actual=$(ls -A "$work/$top" | sort)
[[ "$actual" == "$expected" ]] || fail "$top/ holds:
$(diff <(echo "$expected") <(echo "$actual"))"
for pair in "$@"; do
  name=${pair%%=*}
  source=${pair#*=}
  diff -r "$source" "$work/$top/$name" > /dev/null || fail "$top/$name is not $source"
done
echo "$(basename "$zip"): $top/ with $(echo $expected), $(stat -c %s "$zip") bytes"
