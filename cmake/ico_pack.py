#!/usr/bin/env python3
# ico_pack.py: packs square PNG pictures into one Windows icon file, each
# picture stored as it is (Windows reads PNG images inside an .ico since
# Vista), smallest first. The bytes depend only on the pictures.
#   ico_pack.py OUT.ico PICTURE.png...
import struct
import sys

PNG_SIGNATURE = b'\x89PNG\r\n\x1a\n'


def png_size(data):
    """Width and height from a PNG's IHDR chunk, the first after the signature."""
    if data[:8] != PNG_SIGNATURE or data[12:16] != b'IHDR':
        raise ValueError('not a PNG picture')
    return struct.unpack('>II', data[16:24])


def main():
    if len(sys.argv) < 3:
        sys.exit('usage: ico_pack.py OUT.ico PICTURE.png...')
    pictures = []
    for path in sys.argv[2:]:
        with open(path, 'rb') as source:
            data = source.read()
        width, height = png_size(data)
        if width != height or width > 256:
            sys.exit(f'ico_pack.py: {path} is {width}x{height}, not a square of 256 or less')
        pictures.append((width, data))
    pictures.sort(key=lambda picture: picture[0])
    # The header (reserved, type 1 = icon, count), then one 16-byte entry an
    # image (a side of 256 is written 0), then the images.
    out = struct.pack('<HHH', 0, 1, len(pictures))
    offset = 6 + 16 * len(pictures)
    for side, data in pictures:
        out += struct.pack('<BBBBHHII', side % 256, side % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in pictures)
    with open(sys.argv[1], 'wb') as ico:
        ico.write(out)


if __name__ == '__main__':
    main()
