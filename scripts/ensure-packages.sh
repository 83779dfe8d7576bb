#!/usr/bin/env bash
# Installs the Debian packages Talmir builds, runs and tests with, when missing.
# As root it runs apt-get itself; otherwise it prints the one line to run.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri
  libgtest-dev libbenchmark-dev libstb-dev
  xvfb xdotool x11-utils xfonts-base
  clang libclang-rt-14-dev apitrace
  libgles-dev emscripten nodejs chromium
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "Talmir needs these Debian packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq || true
apt-get install -y -qq --no-install-recommends "${missing[@]}"
