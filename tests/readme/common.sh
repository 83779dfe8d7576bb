# common.sh: what the README's command tests share: the end-to-end helpers
# (a virtual screen, the viewer's windows, plain checks) and a fresh copy of
# the tree under test, as a new user's clone would be.
source "$TALMIR_SOURCE_DIR/tests/e2e/common.sh"
SOURCE=$TALMIR_SOURCE_DIR
# As a user types them: not as part of the make that runs the tests.
unset MAKEFLAGS MFLAGS MAKELEVEL

# fresh_copy: prints a new folder holding the tree's files as git sees them
# (committed or not, ignored ones left out: no build folders), as a clone of
# it would; exits 77 where the tree is not a git checkout.
fresh_copy() {
  git -C "$SOURCE" rev-parse --git-dir > /dev/null 2>&1 || { echo "not a git checkout: no clone to make" >&2; exit 77; }
  local copy
  copy=$(mktemp -d)
  (cd "$SOURCE" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' name; do [[ -e "$name" ]] && printf '%s\0' "$name"; done |
    tar --null -T - -cf -) | tar -xf - -C "$copy"
  echo "$copy"
}
