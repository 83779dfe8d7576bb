#!/usr/bin/env python3
# zip_folder.py: packs a folder into a zip whose bytes depend only on what the
# files hold, so two builds of the same sources give the same archive.
#   zip_folder.py OUT.zip FOLDER
# The archive holds FOLDER itself (its name is the archive's top folder) with
# everything under it. Members go in sorted order, folders before what they
# hold; every member is dated SOURCE_DATE_EPOCH (the time now without it),
# read as UTC whatever the time zone; programs get mode 755, other files 644,
# folders 755; no owner, group or extra field is written.
import os
import stat
import sys
import time
import zipfile

# The earliest moment a zip member's date can say.
ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)


def member_date():
    epoch = os.environ.get('SOURCE_DATE_EPOCH')
    moment = time.gmtime(int(epoch) if epoch else time.time())
    return max(ZIP_EPOCH, tuple(moment[:6]))


def members(folder):
    """(path on disk, name in the archive, is a folder), sorted by name."""
    top = os.path.basename(os.path.normpath(folder))
    found = [(folder, top + '/', True)]
    for here, folders, files in os.walk(folder):
        inside = os.path.relpath(here, folder)
        prefix = top + '/' if inside == '.' else top + '/' + inside.replace(os.sep, '/') + '/'
        found += [(os.path.join(here, name), prefix + name + '/', True) for name in folders]
        found += [(os.path.join(here, name), prefix + name, False) for name in files]
    return sorted(found, key=lambda member: member[1])


def entry(name, mode, date):
    info = zipfile.ZipInfo(name, date)
    info.create_system = 3  # Unix, so the modes below are read
    info.external_attr = mode << 16
    if stat.S_ISDIR(mode):
        info.external_attr |= 0x10  # MS-DOS's folder flag
    else:
        info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main():
    if len(sys.argv) != 3 or not os.path.isdir(sys.argv[2]):
        sys.exit('usage: zip_folder.py OUT.zip FOLDER')
    out, folder = sys.argv[1], sys.argv[2]
    date = member_date()
    with zipfile.ZipFile(out + '.part', 'w', compresslevel=9) as archive:
        for path, name, is_folder in members(folder):
            if is_folder:
                archive.writestr(entry(name, stat.S_IFDIR | 0o755, date), b'')
                continue
            program = os.stat(path).st_mode & stat.S_IXUSR
            with open(path, 'rb') as source:
                archive.writestr(entry(name, stat.S_IFREG | (0o755 if program else 0o644), date), source.read(),
                                 compresslevel=9)
    os.replace(out + '.part', out)


if __name__ == '__main__':
    main()
