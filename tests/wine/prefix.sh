#!/usr/bin/env bash
# prefix.sh create|remove BUILD: the Wine tests' throw-away prefix, made
# before the first of them and removed (700 MB) after the last.
set -euo pipefail
source "$(dirname "$0")/wine.sh"
wine_environment "$2"
case "$1" in
  create) wine_prefix_create || { echo "could not create the Wine prefix $WINEPREFIX" >&2; exit 1; } ;;
  remove) wine_server_stop; rm -rf "$WINEPREFIX" ;;
  *) echo "usage: prefix.sh create|remove BUILD" >&2; exit 2 ;;
esac
