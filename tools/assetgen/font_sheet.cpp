// font_sheet.cpp: lays the committed misc-fixed glyph masks out on the sheet with a soft top-to-bottom sheen.
#include "font_sheet.h"

#include <cstdint>

namespace {

#include "font_glyphs.inc"

constexpr int cellSize = 16;
constexpr int firstCode = 32;
constexpr int lastCode = 127;

void PlaceGlyph(RgbPicture &sheet, const uint16_t masks[cellSize], int glyph) {
  int left = (glyph % 16) * cellSize, top = (glyph / 16) * cellSize;
  for (int y = 0; y < cellSize; ++y) {
    // Slightly cooler towards the foot; still light enough to stay legible
    // under the overlay's 0.7 grey.
    Rgb ink = ToOpaqueRgb(MixColour(HexColour(0xffffff), HexColour(0xc8d2e6), y / 15.0));
    for (int x = 0; x < cellSize; ++x) {
      if (masks[y] & (0x8000 >> x)) PixelAt(sheet, left + x, top + y) = ink;
    }
  }
}

}  // namespace

RgbPicture MakeFontSheet() {
  RgbPicture sheet = MakePicture(256, 256, keyBlack);
  for (int code = firstCode; code <= lastCode; ++code) {
    PlaceGlyph(sheet, regularGlyphs[code - firstCode], code - 32);
    PlaceGlyph(sheet, boldGlyphs[code - firstCode], code + 96);
  }
  return sheet;
}
