#!/usr/bin/env bash
# Talmir installed as an XScreenSaver module: the daemon's module folder
# holds a relative link that reaches the installed program (which then finds
# its data), and the settings dialog's file is well-formed XML naming the
# module and its --root argument.
source "$(dirname "$0")/common.sh"
command -v xmllint > /dev/null || fail "xmllint is missing (scripts/ensure-packages.sh saver)"

for prefix in /usr /opt/talmir; do
  rm -rf "${STAGE:?}"/*
  install_into "$prefix"
  root=$STAGE$prefix
  link=$root/libexec/xscreensaver/talmir
  [[ -L "$link" && "$(readlink "$link")" == ../../bin/talmir ]] || fail "under $prefix the module is not a relative link to bin/talmir: $(ls -l "$link" 2>&1)"
  [[ "$(readlink -f "$link")" == "$(readlink -f "$root/bin/talmir")" ]] || fail "under $prefix the link does not reach the program"
done
[[ "$("$link" --version)" == "talmir $VERSION" ]] || fail "the program does not run through the link"

xml=$root/share/xscreensaver/config/talmir.xml
said=$(xmllint --noout "$xml" 2>&1) || fail "talmir.xml is not well-formed: $said"
[[ "$(xmllint --xpath 'string(/screensaver/@name)' "$xml")" == talmir ]] || fail "talmir.xml names another module"
[[ "$(xmllint --xpath 'string(/screensaver/@_label)' "$xml")" == Talmir ]] || fail "talmir.xml has another label"
[[ "$(xmllint --xpath 'string(/screensaver/command/@arg)' "$xml")" == --root ]] || fail "talmir.xml does not pass --root"
description=$(xmllint --xpath 'string(/screensaver/_description)' "$xml")
[[ "$description" == *landscape* ]] || fail "talmir.xml has no description: $description"
echo "module link and settings file in place under /usr and /opt/talmir"
