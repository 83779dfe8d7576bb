#!/usr/bin/env bash
# Installs the Debian packages that the purposes named on the command line
# need, when missing. Usage: scripts/ensure-packages.sh PURPOSE...
#   e.g. scripts/ensure-packages.sh build run headless test
# As root it runs apt-get itself; otherwise it prints the one line to run.
set -euo pipefail

# What each purpose adds: one line a purpose, its name and then its packages
# (a comment may follow). The Makefile names the purposes each command needs.
declare -A needs=()
names=()
while read -r name list; do
  needs[$name]=${list%%#*}
  names+=("$name")
done <<'END'
build     cmake make g++ libsdl2-dev libgl-dev libglu1-mesa-dev libegl-dev libgles-dev libx11-dev libstb-dev
run       libgl1-mesa-dri                    # Mesa's drivers (llvmpipe where there is no GPU)
headless  xvfb xfonts-base xdotool x11-utils # a virtual screen, and keys and windows on it
test      libgtest-dev apitrace
wayland   weston libdecor-0-plugin-1-cairo   # a Wayland compositor on the virtual screen, and client-side window decorations
saver     xscreensaver libxml2-utils          # the screensaver daemon that runs Talmir in the tests, and xmllint for its settings file
package   dpkg-dev file                      # CPack's .deb: dpkg-shlibdeps, and file to find the programs
validate  lintian desktop-file-utils appstream groff-base python3-debian  # checks of the installed files, the copyright file and the .deb
bench     apitrace                           # the frame benchmark replays a trace
fuzz      clang libclang-rt-14-dev           # libFuzzer and clang's sanitizer runtimes
web       emscripten nodejs                  # the page, built with Debian's emscripten
browser   chromium nodejs                    # headless Chromium, driven from node, for the page's tests
windows   g++-mingw-w64-x86-64 googletest wine64 libxrandr2 python3 nsis icoutils  # the cross compiler, GoogleTest's sources for it, Wine (whose display modes need XRandR), Python for the zip and icon, NSIS for the installer, wrestool to read resources back
release   git gzip python3                   # the source tarball (git archive), the zips and the checksums
reproduce faketime diffoscope-minimal      # two release builds at two times, and what differs between them
END

if [[ $# -eq 0 ]]; then
  echo "usage: $0 PURPOSE... (purposes: ${names[*]})" >&2
  exit 2
fi
packages=()
for purpose in "$@"; do
  if [[ -z "${needs[$purpose]+set}" ]]; then
    echo "ensure-packages: unknown purpose '$purpose' (purposes: ${names[*]})" >&2
    exit 2
  fi
  read -ra list <<<"${needs[$purpose]}"
  packages+=("${list[@]}")
done

if ! command -v dpkg-query > /dev/null; then
  echo "ensure-packages: not a Debian system; make sure the equivalents of these are installed: ${packages[*]}" >&2
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  [[ " ${missing[*]} " == *" $p "* ]] && continue
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "Talmir needs these Debian packages ($*). Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing for $*: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! apt-get update -qq; then
  echo "ensure-packages: apt-get update failed; trying the install with the package lists as they are" >&2
fi
if ! apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  echo "ensure-packages: could not install ${missing[*]} (see apt-get's messages above)" >&2
  exit 1
fi
