#!/usr/bin/env bash
# What the install says about its licence, and where it points: the
# copyright file is Debian's machine-readable format (python-debian's
# strict parser reads it), puts Talmir under the MIT (Expat) licence with
# the very text of LICENSE, and gives every licence it names its text; the
# metadata says MIT for the program and CC0-1.0 for itself; and no file in
# the install names an example address (RFC 2606's reserved names), which
# would stand for a homepage or download that does not exist.
source "$(dirname "$0")/common.sh"
install_into /usr
usr=$STAGE/usr
copyright=$usr/share/doc/talmir/copyright
metainfo=$usr/share/metainfo/$APP_ID.metainfo.xml

# Debian's python3-debian belongs to Debian's python3, whatever python3 is first on PATH.
said=$(/usr/bin/python3 - "$copyright" "$SOURCE/LICENSE" <<'END' 2>&1
import re
import sys
from debian.copyright import Copyright

with open(sys.argv[1], encoding='utf-8') as file:
    copyright = Copyright(file, strict=True)
problems = []
if not copyright.header.format or 'copyright-format/1.0' not in copyright.header.format:
    problems.append('no Format: header for copyright-format 1.0')
everything = copyright.find_files_paragraph('src/app/main.cpp')
if everything is None or everything.files != ('*',):
    problems.append('the sources are not under a "Files: *" stanza')
else:
    if everything.license.synopsis != 'Expat':
        problems.append(f'the sources are under {everything.license.synopsis}, not Expat')
    if '2026 The Talmir developers' not in everything.copyright:
        problems.append(f'the sources are copyright {everything.copyright!r}')

# Every licence a Files stanza names has its text, in a stanza of its own or in place.
texts = {p.license.synopsis: p.license.text for p in copyright.all_license_paragraphs()}
for files in copyright.all_files_paragraphs():
    if files.license.text:
        texts[files.license.synopsis] = files.license.text
for files in copyright.all_files_paragraphs():
    for name in re.split(r'\s+or\s+|\s+and\s+', files.license.synopsis):
        if not texts.get(name, '').strip():
            problems.append(f'{name} (for {" ".join(files.files)}) has no text')

# The Expat text is LICENSE's, below its title and copyright line.
def words(text):
    return ' '.join(text.replace('\n.\n', '\n').split())
with open(sys.argv[2], encoding='utf-8') as file:
    licence = file.read()
body = licence.split('\n\n', 2)[2] if licence.startswith('MIT License\n') else licence
if words(texts.get('Expat', '')) != words(body):
    problems.append('the Expat text differs from LICENSE')
print('\n'.join(problems))
sys.exit(1 if problems else 0)
END
) || fail "the copyright file: $said"

grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "the metadata does not say MIT"
grep -q '<metadata_license>CC0-1.0</metadata_license>' "$metainfo" || fail "the metadata's own licence is not CC0-1.0"

# Any scheme://host whose host is or ends in an example name, in any file,
# compressed ones read through zcat.
example_url='[A-Za-z][A-Za-z0-9+.-]*://([^/[:space:]"<>]*\.)?example(\.(com|net|org))?([/:"<>[:space:]]|$)'
found=$(cd "$STAGE" && find . -type f | sort | while read -r file; do
  case $file in
    *.gz) zcat "$file" ;;
    *) cat "$file" ;;
  esac | { grep -aoE "$example_url" || true; } | sed "s#^#$file: #"
done)
[[ -z "$found" ]] || fail "example addresses in the install: $found"
echo "copyright: machine-readable, Expat as LICENSE; metadata MIT/CC0-1.0; no example address in $(cd "$STAGE" && find . -type f | wc -l) files"
