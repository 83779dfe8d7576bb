#!/usr/bin/env python3
# The version Explorer's Properties show: each Windows program given carries a
# VERSIONINFO resource (read by icoutils' wrestool) whose fixed file version
# and ProductName, ProductVersion and FileVersion strings are Talmir's and
# the project's version; and, with --icon ICO, a group icon that is that icon.
# Usage: check_version_resource.py VERSION PROGRAM.exe... [--icon ICO PROGRAM.exe]
import struct
import subprocess
import sys


def resource(path, kind, raw=False):
    command = ['wrestool', '-x', f'--type={kind}', path] + (['--raw'] if raw else [])
    return subprocess.run(command, capture_output=True, check=True).stdout


def string_value(data, key):
    """The value of a String entry: its UTF-16 key, then the value on the next 4-byte boundary."""
    at = data.find((key + '\0').encode('utf-16-le'))
    if at < 0:
        return None
    at += 2 * (len(key) + 1)
    at += -at % 4
    end = at
    while data[end:end + 2] not in (b'\0\0', b''):
        end += 2
    return data[at:end].decode('utf-16-le')


def check_version(version, path):
    data = resource(path, 16, raw=True)
    at = data.find(struct.pack('<I', 0xFEEF04BD))  # VS_FIXEDFILEINFO's signature
    if at < 0:
        sys.exit(f'FAIL: {path} has no version resource')
    ms, ls = struct.unpack('<II', data[at + 8:at + 16])
    fixed = f'{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}'
    if fixed != version + '.0':
        sys.exit(f'FAIL: {path}: the file version is {fixed}, not {version}.0')
    for key, wanted in ('ProductName', 'Talmir'), ('ProductVersion', version), ('FileVersion', version):
        value = string_value(data, key)
        if value != wanted:
            sys.exit(f'FAIL: {path}: {key} is {value!r}, not {wanted!r}')
    print(f'{path}: version {version}, ProductName Talmir')


def main():
    args = sys.argv[1:]
    if len(args) < 2:
        sys.exit('usage: check_version_resource.py VERSION PROGRAM.exe... [--icon ICO PROGRAM.exe]')
    version, programs = args[0], args[1:]
    if '--icon' in programs:
        at = programs.index('--icon')
        with open(programs[at + 1], 'rb') as ico:
            wanted = ico.read()
        found = resource(programs[at + 2], 14)  # rebuilt as an .ico, up to the padding of the last image
        if not found.startswith(wanted) or found[len(wanted):].strip(b'\0'):
            sys.exit(f'FAIL: {programs[at + 2]}: its icon is not {programs[at + 1]}')
        print(f'{programs[at + 2]}: the icon {programs[at + 1]}')
        programs = programs[:at] + programs[at + 2:]
    for path in programs:
        check_version(version, path)


if __name__ == '__main__':
    main()
