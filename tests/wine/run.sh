#!/usr/bin/env bash
# run.sh BUILD PROGRAM.exe [ARGUMENTS]: runs a Windows program of the build
# under Wine in the build's prefix, within a time limit (WINE_TIMEOUT
# seconds, default 300); its exit code is the program's. CTest's emulator
# for the Windows build's test programs.
set -euo pipefail
source "$(dirname "$0")/wine.sh"
wine_environment "$1"
shift
wine_server_start
exec timeout --kill-after=10 "${WINE_TIMEOUT:-300}" "$WINE" "$@"
