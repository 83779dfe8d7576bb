#!/usr/bin/env python3
# page_data_names.py: makes the page's index.js the same in every build of
# the same sources. Emscripten's file packager (Debian's 3.1.6) writes two
# things into it that change from build to build: the data file's absolute
# path on the build machine, as the package's name and in its run
# dependency's name, and a random uuid for the package. The page fetches
# the data by its base name alone, and the uuid only tells a cached copy of
# the data from another, so the name becomes "index.data" and the uuid one
# made from the data's own bytes.
#   page_data_names.py PAGE_FOLDER
import hashlib
import os
import re
import sys
import uuid


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: page_data_names.py PAGE_FOLDER')
    folder = sys.argv[1]
    script_path = os.path.join(folder, 'index.js')
    data_path = os.path.join(folder, 'index.data')
    with open(script_path, encoding='utf-8') as script_file:
        script = script_file.read()
    with open(data_path, 'rb') as data_file:
        data = data_file.read()

    # The packager names the data after the linker's output, which CMake
    # gives as an absolute path.
    built_name = os.path.abspath(data_path)
    if built_name not in script:
        sys.exit(f'page_data_names: {script_path} does not name {built_name}: has emscripten changed?')
    script = script.replace(built_name, 'index.data')

    random_uuid = re.compile(r'"package_uuid":\s*"[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}"')
    if len(random_uuid.findall(script)) != 1:
        sys.exit(f'page_data_names: no one package uuid in {script_path}: has emscripten changed?')
    data_uuid = uuid.UUID(bytes=hashlib.sha256(data).digest()[:16], version=4)
    script = random_uuid.sub(f'"package_uuid":"{data_uuid}"', script)

    with open(script_path + '.part', 'w', encoding='utf-8') as script_file:
        script_file.write(script)
    os.replace(script_path + '.part', script_path)


if __name__ == '__main__':
    main()
