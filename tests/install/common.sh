# common.sh: what the install tests share: the build, a temporary DESTDIR to
# install it into, the files the install must hold, and plain checks.
set -euo pipefail
BUILD=$TALMIR_BUILD_DIR
SOURCE=$TALMIR_SOURCE_DIR
APP_ID=$TALMIR_APP_ID
VERSION=$TALMIR_VERSION
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# install_into PREFIX: `cmake --install` of the build under PREFIX, with
# $STAGE as DESTDIR.
install_into() {
  local log
  log=$(DESTDIR="$STAGE" cmake --install "$BUILD" --prefix "$1" 2>&1) || fail "cmake --install failed: $log"
}

# asset_files: the textures and the sound, relative to the data folder, as
# the program's own list names them ("\" in the sound's path is a folder).
asset_files() {
  grep -o '"\(Tex\|Sound\)[^"]*"' "$SOURCE/src/assets/asset_paths.h" | tr -d '"' | sed 's#\\\\#/#'
}

# expected_files PREFIX: every file an install under PREFIX holds, sorted,
# without the leading slash.
expected_files() {
  local p=${1#/} size file
  {
    echo "$p/bin/talmir"
    echo "$p/share/applications/$APP_ID.desktop"
    echo "$p/share/metainfo/$APP_ID.metainfo.xml"
    for size in 48 128 256; do echo "$p/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"; done
    echo "$p/share/man/man6/talmir.6"
    echo "$p/libexec/xscreensaver/talmir"
    echo "$p/share/xscreensaver/config/talmir.xml"
    for file in README.md changelog copyright; do echo "$p/share/doc/talmir/$file"; done
    for file in $(asset_files); do echo "$p/share/talmir/$file"; done
  } | sort
}
