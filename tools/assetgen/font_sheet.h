// font_sheet.h: the 256x256 glyph sheet of the text overlay, two styles of the printable codes 32..127.
#pragma once

#include "picture.h"

// 16x16 cells; glyph g in column g % 16, row g / 16 from the top. Code c of
// the regular style is glyph c - 32 (rows 0..5), of the bold style c + 96
// (rows 8..13). Light glyphs on key black, ink within the first 10 columns.
RgbPicture MakeFontSheet();
