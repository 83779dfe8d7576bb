#!/usr/bin/env bash
# Writes the source tarball of the last commit: FOLDER/talmir-VERSION.tar.gz,
# every committed file under one top folder talmir-VERSION/. git archive
# dates every member with the commit's time and gives them owner root and
# modes 644 or 755 (tar.umask is set here, not taken from anyone's git
# configuration); gzip -n leaves out the file's name and time, so the same
# commit always gives the same bytes.
# Usage: scripts/dist.sh FOLDER VERSION
set -euo pipefail
folder=$1
version=$2
[[ -n "$version" ]] || { echo "dist: no version given" >&2; exit 2; }
[[ "$(git rev-parse --show-toplevel 2>/dev/null)" == "$(pwd -P)" ]] \
  || { echo "dist: the source tarball is made from a git clone; this folder has no .git" >&2; exit 1; }
if [[ -n "$(git status --porcelain --untracked-files=no)" ]]; then
  echo "dist: note: changes not yet committed are not in the tarball" >&2
fi
mkdir -p "$folder"
tarball=$folder/talmir-$version.tar.gz
git -c tar.umask=022 -c core.autocrlf=false archive --format=tar --prefix="talmir-$version/" HEAD \
  | gzip -9n > "$tarball.part"
mv "$tarball.part" "$tarball"
echo "dist: $tarball ($(stat -c %s "$tarball") bytes, $(git rev-parse --short HEAD))"
