#!/usr/bin/env bash
# The source tarball as `make dist` writes it: the same bytes from two runs
# (another time zone and umask, a moment later); exactly the committed files
# under talmir-VERSION/, owned by root, with modes 644 or 755 and the
# commit's time; the commit's time written into it for a release made from
# it; and, unpacked where there is no .git, the program configures and
# builds from it.
set -euo pipefail
SOURCE=$TALMIR_SOURCE_DIR
VERSION=$TALMIR_VERSION
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
skip() {
  echo "SKIP: $*"
  exit 77
}
[[ "${TALMIR_SANITIZE:-OFF}" != ON ]] || skip "the tarball is tried once, from the normal build"
command -v git > /dev/null || skip "no git here"
[[ "$(git -C "$SOURCE" rev-parse --show-toplevel 2>/dev/null)" == "$(cd "$SOURCE" && pwd -P)" ]] \
  || skip "the sources are not a git clone (a source tarball, say): there is no commit to pack"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$SOURCE"
top=talmir-$VERSION
epoch=$(git log -1 --format=%ct)

scripts/dist.sh "$work/one" "$VERSION" 2>&1
sleep 1
(umask 077 && TZ=Pacific/Kiritimati scripts/dist.sh "$work/two" "$VERSION" > /dev/null 2>&1)
tarball=$work/one/$top.tar.gz
cmp "$tarball" "$work/two/$top.tar.gz" || fail "two runs of scripts/dist.sh give different tarballs"

expected=$(git ls-tree -r --name-only HEAD | sed "s#^#$top/#" | sort)
actual=$(tar -tzf "$tarball" | grep -v '/$' | sort)
[[ "$actual" == "$expected" ]] || fail "the tarball's files are not the commit's:
$(diff <(echo "$expected") <(echo "$actual") | head -20)"
stamp=$(TZ=UTC date -d "@$epoch" '+%F %T')
odd=$(TZ=UTC tar --numeric-owner --full-time -tvzf "$tarball" \
  | awk -v stamp="$stamp" '$2 != "0/0" || $1 !~ /^(-rw-r--r--|-rwxr-xr-x|drwxr-xr-x)$/ || $4 " " $5 != stamp')
[[ -z "$odd" ]] || fail "members not owned by 0/0, with odd modes or not dated $stamp:
$(head -5 <<<"$odd")"

mkdir "$work/unpacked"
tar -xzf "$tarball" -C "$work/unpacked"
source_tree=$work/unpacked/$top
[[ ! -e "$source_tree/.git" ]] || fail "the tarball holds .git"
[[ "$(cat "$source_tree/packaging/source-date-epoch")" == "$epoch" ]] \
  || fail "packaging/source-date-epoch holds '$(cat "$source_tree/packaging/source-date-epoch")', not the commit's time $epoch"
said=$(make -s -C "$source_tree" --eval 'show-epoch: ; @echo $(RELEASE_EPOCH)' show-epoch 2>&1)
[[ "$said" == "$epoch" ]] || fail "make release in the tarball would date the release '$said', not $epoch"

echo "$(date +%T) configuring and building talmir from the unpacked tarball"
(cmake -S "$source_tree" -B "$source_tree/build" -DTALMIR_WERROR=ON -DTALMIR_TESTS=OFF \
  && cmake --build "$source_tree/build" -j "$(nproc)" --target talmir) > "$work/build.log" 2>&1 \
  || fail "the unpacked tarball does not build: $(tail -30 "$work/build.log")"
[[ "$("$source_tree/build/talmir" --version)" == "talmir $VERSION" ]] || fail "the program built from the tarball is not talmir $VERSION"
echo "$(date +%T) $top.tar.gz: $(stat -c %s "$tarball") bytes, $(wc -l <<<"$expected") files; it builds talmir $VERSION"
