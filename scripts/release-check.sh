#!/usr/bin/env bash
# Makes the release of the last commit twice and compares the two dist/
# folders byte for byte. The builds differ in all that must not matter: the
# folder (its path and its name), the clock (the second runs under faketime,
# days later), the time zone, the umask and the number of parallel jobs.
# Any file that differs, or is in one release only, is named and diffoscope
# shows how it differs; the two clones are then kept for a closer look.
# Usage: scripts/release-check.sh   (from the top of a git clone)
set -euo pipefail
commit=$(git rev-parse HEAD)
if [[ -n "$(git status --porcelain --untracked-files=no)" ]]; then
  echo "release-check: note: changes not yet committed are not in either release" >&2
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/talmir-release-check.XXXXXX")
first=$work/first/talmir
second=$work/another-folder/talmir-again
keep=yes
trap '[[ $keep == no ]] && rm -rf "$work"' EXIT

for clone in "$first" "$second"; do
  git clone -q --no-hardlinks "$(pwd)" "$clone"
  git -C "$clone" checkout -q --detach "$commit"
done

started=$SECONDS
echo "== release 1 in $first"
(cd "$first" && make release) > "$work/first.log" 2>&1 \
  || { tail -40 "$work/first.log"; echo "release-check: the first release failed ($work/first.log)" >&2; exit 1; }
echo "   took $((SECONDS - started)) s"
started=$SECONDS
echo "== release 2 in $second: 3 days later, TZ=Pacific/Kiritimati, umask 027, one job"
(cd "$second" && umask 027 && TZ=Pacific/Kiritimati faketime -f +3d make release JOBS=1) > "$work/second.log" 2>&1 \
  || { tail -40 "$work/second.log"; echo "release-check: the second release failed ($work/second.log)" >&2; exit 1; }
echo "   took $((SECONDS - started)) s"

differ=()
for name in $(cd "$first/dist" && ls; cd "$second/dist" && ls); do
  [[ " ${differ[*]} " == *" $name "* ]] && continue
  if [[ ! -f "$first/dist/$name" || ! -f "$second/dist/$name" ]]; then
    echo "DIFFERS: $name is in one release only"
    differ+=("$name")
  elif ! cmp -s "$first/dist/$name" "$second/dist/$name"; then
    echo "DIFFERS: $name"
    differ+=("$name")
    if command -v diffoscope > /dev/null; then
      diffoscope --text "$work/$name.diffoscope.txt" "$first/dist/$name" "$second/dist/$name" > /dev/null 2>&1 || true
      head -c 20000 "$work/$name.diffoscope.txt"
    fi
  fi
done

(cd "$first/dist" && cat SHA256SUMS)
if [[ ${#differ[@]} -gt 0 ]]; then
  echo "release-check: ${#differ[@]} file(s) differ between the two releases: ${differ[*]} (kept in $work)" >&2
  exit 1
fi
keep=no
echo "release-check: both releases of $(git rev-parse --short HEAD) are identical, byte for byte ($(ls "$first/dist" | wc -l) files)"
