// Bitmap loader: channel masks at 16 and 32 bits: their widths and places, the table behind them, and masks it refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "support/bitmap_load_check.h"

namespace {

// One channel's raw value under a contiguous mask, widened by the rounding rule
// (worked out in floating point, independently of the loader's integer form).
uint8_t Widened(uint32_t pixel, uint32_t mask) {
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  double max = (double)(mask >> shift);
  return (uint8_t)std::lround((double)((pixel & mask) >> shift) * 255.0 / max);
}

// A file of pseudo-random pixel values read through the masks; the expected
// picture comes from the same values.
void ExpectMaskedPicture(int bitCount, std::vector<uint32_t> masks, int32_t width, bool fileHeader = true) {
  RgbPicture noise = PatternPicture(width, 3, (uint32_t)(masks[0] ^ masks[2] ^ (uint32_t)width));
  std::vector<uint32_t> values;
  RgbPicture expected{width, 3, {}};
  for (const Rgb &c : noise.pixels) {
    uint32_t v = (uint32_t)c.red | (uint32_t)c.green << 8 | (uint32_t)c.blue << 16 | (uint32_t)(c.red ^ c.blue) << 24;
    if (bitCount == 16) v &= 0xFFFF;
    values.push_back(v);
    expected.pixels.push_back(Rgb{Widened(v, masks[0]), Widened(v, masks[1]), Widened(v, masks[2])});
  }
  BitmapFields fields;
  fields.fileHeader = fileHeader;
  fields.width = width, fields.height = 3, fields.bitCount = (uint16_t)bitCount, fields.compression = 3;
  fields.masks = masks;
  fields.bits = PackWordRows(values, width, 3, bitCount);
  ExpectPicture(WriteBitmap(fields), expected);
}

}  // namespace

TEST(BitmapLoaderBitfields, SixteenBitLayouts) {
  const std::vector<uint32_t> layouts[] = {
      {0xF800, 0x07E0, 0x001F},  // 5-6-5
      {0x7C00, 0x03E0, 0x001F},  // 5-5-5, as without masks
      {0x0F00, 0x00F0, 0x000F},  // 4-4-4, the top four bits unused
      {0x001F, 0x07E0, 0xF800},  // red and blue swapped
      {0x8000, 0x4000, 0x0001},  // one bit each: 0 or 255
      {0xFFC0, 0x0030, 0x000F},  // a 10-bit channel
  };
  for (const auto &masks : layouts) {
    for (int32_t width : {1, 2, 3, 4, 5, 9}) {
      SCOPED_TRACE(testing::Message() << std::hex << masks[0] << " " << masks[1] << " " << masks[2] << std::dec
                                      << " width " << width);
      ExpectMaskedPicture(16, masks, width);
    }
  }
}

TEST(BitmapLoaderBitfields, ThirtyTwoBitLayouts) {
  const std::vector<uint32_t> layouts[] = {
      {0x00FF0000, 0x0000FF00, 0x000000FF},  // the usual 8-8-8
      {0x000000FF, 0x0000FF00, 0x00FF0000},  // red first
      {0xFF000000, 0x00FF0000, 0x0000FF00},  // 8-8-8 in the top bytes
      {0x3FF00000, 0x000FFC00, 0x000003FF},  // 10-10-10
      {0x7FFFFFFC, 0x00000002, 0x00000001},  // a 29-bit channel
  };
  for (const auto &masks : layouts) {
    for (int32_t width : {1, 2, 5, 6, 7, 13}) {
      SCOPED_TRACE(testing::Message() << std::hex << masks[0] << " " << masks[1] << " " << masks[2] << std::dec
                                      << " width " << width);
      ExpectMaskedPicture(32, masks, width);
    }
  }
}

TEST(BitmapLoaderBitfields, WideChannelRoundsToNearest) {
  // 10 bits: 1 and 2 round down to 0, 3 up to 1, 512 up to 128, 1023 to 255.
  const std::pair<uint32_t, uint8_t> cases[] = {{1, 0}, {2, 0}, {3, 1}, {511, 127}, {512, 128}, {1023, 255}};
  std::vector<uint32_t> values;
  RgbPicture expected{6, 1, {}};
  for (auto [raw, wide] : cases) {
    values.push_back(raw << 20 | raw << 10 | raw);
    expected.pixels.push_back(Rgb{wide, wide, wide});
  }
  BitmapFields fields;
  fields.width = 6, fields.height = 1, fields.bitCount = 32, fields.compression = 3;
  fields.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  fields.bits = PackWordRows(values, 6, 1, 32);
  ExpectPicture(WriteBitmap(fields), expected);
}

TEST(BitmapLoaderBitfields, PackedDibFindsItsBitsBehindMasksAndTable) {
  ExpectMaskedPicture(16, {0xF800, 0x07E0, 0x001F}, 5, false);
  ExpectMaskedPicture(32, {0xFF0000, 0xFF00, 0xFF}, 5, false);

  RgbPicture picture = PatternPicture(3, 2, 77);
  BitmapFields fields;
  fields.fileHeader = false;
  fields.width = 3, fields.height = 2, fields.bitCount = 32, fields.compression = 3;
  fields.masks = {0xFF0000, 0xFF00, 0xFF};
  fields.colours = PatternColours(6, 2);
  fields.coloursUsed = 6;
  fields.bits = PackWordRows(Rgb32Values(picture, 0), 3, 2, 32);
  ExpectPicture(WriteBitmap(fields), picture);
}

TEST(BitmapLoaderBitfields, UnusableMasksAreAConversionError) {
  struct Case {
    int bitCount;
    std::vector<uint32_t> masks;
    const char *why;
  };
  const Case cases[] = {
      {16, {0, 0x07E0, 0x001F}, "zero red"},
      {32, {0xFF0000, 0xFF00, 0}, "zero blue"},
      {16, {0, 0, 0}, "all zero"},
      {16, {0xC003, 0x07E0, 0x001C}, "red broken in two"},
      {32, {0xFF0000, 0xF00F, 0x0FF0}, "green broken in two"},
      {16, {0xF800, 0x0FE0, 0x001F}, "red and green overlap"},
      {32, {0xFF0000, 0xFF00, 0xFFFF}, "green and blue overlap"},
      {32, {0xFFFFFFFF, 0xFF00, 0xFF}, "red covers everything"},
      {16, {0x1F0000, 0x07E0, 0x001F}, "red outside a 16-bit pixel"},
      {16, {0x1F800, 0x07E0, 0x001F}, "red partly outside a 16-bit pixel"},
  };
  for (const Case &c : cases) {
    BitmapFields fields;
    fields.width = 2, fields.height = 2, fields.bitCount = (uint16_t)c.bitCount, fields.compression = 3;
    fields.masks = c.masks;
    fields.bits.assign(16, 0x5A);
    SCOPED_TRACE(c.why);
    ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
  }
}

TEST(BitmapLoaderBitfields, MasksCutOffByTheEndOfTheFileAreAConversionError) {
  BitmapFields fields;
  fields.width = 1, fields.height = 1, fields.bitCount = 16, fields.compression = 3;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  Bytes file = WriteBitmap(fields);  // no bits; the file ends after the masks
  for (size_t cut = 1; cut <= 12; ++cut) {
    SCOPED_TRACE(cut);
    ExpectFailure(Bytes(file.begin(), file.end() - cut), "Image file conversion error.");
  }
}
