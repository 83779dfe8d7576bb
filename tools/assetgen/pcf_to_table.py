#!/usr/bin/env python3
# pcf_to_table.py: turns two public-domain misc-fixed PCF fonts into the glyph table the asset generator compiles in.
#
# Usage: pcf_to_table.py REGULAR.pcf.gz BOLD.pcf.gz > font_glyphs.inc
# The committed table comes from Debian's xfonts-base:
#   pcf_to_table.py /usr/share/fonts/X11/misc/9x15.pcf.gz /usr/share/fonts/X11/misc/9x15B.pcf.gz
# Only fonts whose COPYRIGHT property says "Public domain" are accepted, so no
# licensed shapes can slip into the table. Each glyph becomes 16 row masks of a
# 16x16 cell (bit 15 = leftmost column), already placed where the sheet wants it.

import gzip
import struct
import sys

PCF_PROPERTIES = 1 << 0
PCF_ACCELERATORS = 1 << 1
PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_BDF_ACCELERATORS = 1 << 8
PCF_COMPRESSED_METRICS = 0x100

CELL = 16
LEFT_MARGIN = 1   # keeps ink off the cell's left edge, where linear filtering would bleed
TOP_MARGIN = 0
MAX_INK_COLUMN = 10  # the overlay advances 10 units per glyph
FIRST_CODE, LAST_CODE = 32, 127
DEL_STANDIN = 0x25c6  # a diamond stands in for code 127, which has no printable shape


class Reader:
    def __init__(self, data, offset):
        self.data, self.pos = data, offset
        fmt = struct.unpack_from('<i', data, offset)[0]
        self.format = fmt
        self.big = bool(fmt & 4)
        self.pos += 4

    def take(self, code):
        order = '>' if self.big else '<'
        value = struct.unpack_from(order + code, self.data, self.pos)
        self.pos += struct.calcsize(code)
        return value[0]


def read_tables(data):
    if data[:4] != b'\x01fcp':
        sys.exit('not a PCF file')
    count = struct.unpack_from('<i', data, 4)[0]
    tables = {}
    for k in range(count):
        kind, _fmt, _size, offset = struct.unpack_from('<iiii', data, 8 + 16 * k)
        tables[kind] = offset
    return tables


def read_properties(data, offset):
    r = Reader(data, offset)
    count = r.take('i')
    props = [(r.take('i'), r.take('b'), r.take('i')) for _ in range(count)]
    r.pos += (4 - (count & 3)) & 3
    size = r.take('i')
    strings = data[r.pos:r.pos + size]

    def text(at):
        return strings[at:strings.index(b'\0', at)].decode('latin-1')

    return {text(name): (text(value) if is_string else value) for name, is_string, value in props}


def read_ascent(data, tables):
    offset = tables.get(PCF_BDF_ACCELERATORS, tables.get(PCF_ACCELERATORS))
    r = Reader(data, offset)
    r.pos += 8  # eight one-byte flags
    return r.take('i')


def read_metrics(data, offset):
    r = Reader(data, offset)
    if r.format & PCF_COMPRESSED_METRICS:
        count = r.take('h')
        return [tuple(r.take('B') - 0x80 for _ in range(5)) for _ in range(count)]
    count = r.take('i')
    return [tuple(r.take('h') for _ in range(6))[:5] for _ in range(count)]


def read_bitmaps(data, offset, metrics):
    r = Reader(data, offset)
    if not r.format & 8 or (r.format >> 4) & 3:
        sys.exit('only MSB-first bits with byte scan units are handled')
    pad = 1 << (r.format & 3)
    count = r.take('i')
    starts = [r.take('i') for _ in range(count)]
    r.pos += 16
    base = r.pos
    glyphs = []
    for (lsb, rsb, _width, ascent, descent), start in zip(metrics, starts):
        row_bytes = ((rsb - lsb + 7) // 8 + pad - 1) // pad * pad
        rows = []
        for y in range(ascent + descent):
            at = base + start + y * row_bytes
            bits = int.from_bytes(data[at:at + row_bytes], 'big')
            rows.append([(bits >> (row_bytes * 8 - 1 - x)) & 1 for x in range(rsb - lsb)])
        glyphs.append((lsb, ascent, rows))
    return glyphs


def read_encoding(data, offset):
    r = Reader(data, offset)
    min2, max2, min1, max1, _default = (r.take('h') for _ in range(5))
    span = max2 - min2 + 1
    indices = [r.take('H') for _ in range(span * (max1 - min1 + 1))]

    def lookup(code):
        b1, b2 = code >> 8, code & 0xff
        if not (min1 <= b1 <= max1 and min2 <= b2 <= max2):
            return None
        index = indices[(b1 - min1) * span + b2 - min2]
        return None if index == 0xffff else index

    return lookup


def load_font(path):
    data = gzip.open(path).read()
    tables = read_tables(data)
    props = read_properties(data, tables[PCF_PROPERTIES])
    if 'public domain' not in props.get('COPYRIGHT', '').lower():
        sys.exit(f'{path}: not a public-domain font')
    metrics = read_metrics(data, tables[PCF_METRICS])
    glyphs = read_bitmaps(data, tables[PCF_BITMAPS], metrics)
    lookup = read_encoding(data, tables[PCF_BDF_ENCODINGS])
    props['FONT_ASCENT'] = read_ascent(data, tables)
    return props, glyphs, lookup


def cell_rows(font, code):
    props, glyphs, lookup = font
    index = lookup(code)
    if index is None:
        sys.exit(f'code {code:#x} missing from the font')
    lsb, ascent, rows = glyphs[index]
    baseline = TOP_MARGIN + props['FONT_ASCENT']
    masks = [0] * CELL
    for y, row in enumerate(rows):
        cy = baseline - ascent + y
        for x, bit in enumerate(row):
            cx = LEFT_MARGIN + lsb + x
            if not bit:
                continue
            if not (0 <= cy < CELL and 0 <= cx < MAX_INK_COLUMN):
                sys.exit(f'code {code:#x} does not fit the cell')
            masks[cy] |= 1 << (CELL - 1 - cx)
    return masks


def emit(name, font, path):
    print(f'// {name}: codes {FIRST_CODE}..{LAST_CODE} from {path.split("/")[-1]} '
          f'({font[0].get("COPYRIGHT")})')
    print(f'constexpr uint16_t {name}[{LAST_CODE - FIRST_CODE + 1}][16] = {{')
    for code in range(FIRST_CODE, LAST_CODE + 1):
        masks = cell_rows(font, DEL_STANDIN if code == 127 else code)
        print('  {' + ', '.join(f'0x{m:04x}' for m in masks) + f'}},  // {code}')
    print('};')


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: pcf_to_table.py REGULAR.pcf.gz BOLD.pcf.gz > font_glyphs.inc')
    print('// font_glyphs.inc: glyph masks for the font sheet, made by pcf_to_table.py; do not edit.')
    emit('regularGlyphs', load_font(sys.argv[1]), sys.argv[1])
    emit('boldGlyphs', load_font(sys.argv[2]), sys.argv[2])


if __name__ == '__main__':
    main()
