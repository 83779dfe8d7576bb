// font_sheet.cpp: lays the committed misc-fixed glyph masks out on the sheet with a soft top-to-bottom sheen.
#include "font_sheet.h"

#include <cstdint>

namespace {

#include "font_glyphs.inc"

constexpr int kCell = 16;
constexpr int kFirstCode = 32;
constexpr int kLastCode = 127;

void PlaceGlyph(RgbPicture &sheet, const uint16_t masks[kCell], int glyph) {
  int left = (glyph % 16) * kCell, top = (glyph / 16) * kCell;
  for (int y = 0; y < kCell; ++y) {
    // Slightly cooler towards the foot; still light enough to stay legible
    // under the overlay's 0.7 grey.
    Rgb ink = ToOpaqueRgb(MixColour(HexColour(0xffffff), HexColour(0xc8d2e6), y / 15.0));
    for (int x = 0; x < kCell; ++x) {
      if (masks[y] & (0x8000 >> x)) PixelAt(sheet, left + x, top + y) = ink;
    }
  }
}

}  // namespace

RgbPicture MakeFontSheet() {
  RgbPicture sheet = MakePicture(256, 256, kKeyBlack);
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    PlaceGlyph(sheet, kRegularGlyphs[code - kFirstCode], code - 32);
    PlaceGlyph(sheet, kBoldGlyphs[code - kFirstCode], code + 96);
  }
  return sheet;
}
