// Bitmap loader: every accepted depth at every row padding, 5-5-5 widening, and the depths and compressions it refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "support/bitmap_load_check.h"

namespace {

// 1 to 5 give every row padding; 6 and up also take the loops that write several pixels at a
// time, with every remainder.
const int32_t widths[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 37};

std::string Size(int32_t width, int32_t height) { return std::to_string(width) + "x" + std::to_string(height); }

}  // namespace

TEST(BitmapLoaderBitDepths, IndexedDepthsAtEveryWidth) {
  for (int bitCount : {1, 4, 8}) {
    std::vector<Rgb> colours = PatternColours(1 << bitCount, 40);
    for (int32_t width : widths) {
      for (int32_t height : {1, 3}) {
        IndexedPicture indices = PatternIndices(width, height, 1 << bitCount, (uint32_t)(width * 10 + height));
        SCOPED_TRACE(std::to_string(bitCount) + " bits " + Size(width, height));
        ExpectPicture(WriteBitmap(IndexedBitmapFields(indices, colours, bitCount)),
                      ApplyColourTable(indices, colours));
      }
    }
  }
}

TEST(BitmapLoaderBitDepths, TwentyFourBitsAtEveryWidth) {
  for (int32_t width : widths) {
    for (int32_t height : {1, 2, 3}) {
      RgbPicture picture = PatternPicture(width, height, (uint32_t)(width * 10 + height));
      SCOPED_TRACE(Size(width, height));
      ExpectPicture(WriteBitmap(Rgb24BitmapFields(picture)), picture);
    }
  }
}

TEST(BitmapLoaderBitDepths, ThirtyTwoBitsIgnoreTheFourthByte) {
  for (int32_t width : widths) {
    for (uint8_t fourth : {(uint8_t)0, (uint8_t)0xA5}) {
      RgbPicture picture = PatternPicture(width, 3, (uint32_t)width);
      BitmapFields fields;
      fields.width = width, fields.height = 3, fields.bitCount = 32;
      fields.bits = PackWordRows(Rgb32Values(picture, fourth), width, 3, 32);
      SCOPED_TRACE(Size(width, 3));
      ExpectPicture(WriteBitmap(fields), picture);
    }
  }
}

namespace {

// A 16-bit pixel from three 5-bit values and the unused top bit.
uint32_t Pixel555(unsigned red, unsigned green, unsigned blue, unsigned top) {
  return top << 15 | red << 10 | green << 5 | blue;
}

}  // namespace

TEST(BitmapLoaderBitDepths, SixteenBitsWidenFiveBitChannelsByRounding) {
  // round(v * 255 / 31) for a few values, worked out by hand.
  const std::pair<unsigned, uint8_t> widened[] = {{0, 0}, {1, 8}, {2, 16}, {15, 123}, {16, 132}, {30, 247}, {31, 255}};
  std::vector<uint32_t> values;
  RgbPicture expected{7, 3, {}};
  for (int row = 0; row < 3; ++row) {
    for (int i = 0; i < 7; ++i) {
      auto [r, rw] = widened[i];
      auto [g, gw] = widened[(i + row + 1) % 7];
      auto [b, bw] = widened[(i + 2 * row + 3) % 7];
      values.push_back(Pixel555(r, g, b, (unsigned)(i + row) & 1));  // the top bit must not matter
      expected.pixels.push_back(Rgb{rw, gw, bw});
    }
  }
  BitmapFields fields;
  fields.width = 7, fields.height = 3, fields.bitCount = 16;
  fields.bits = PackWordRows(values, 7, 3, 16);
  ExpectPicture(WriteBitmap(fields), expected);
}

TEST(BitmapLoaderBitDepths, SixteenBitsAtEveryWidth) {
  for (int32_t width : widths) {
    RgbPicture channels = PatternPicture(width, 2, (uint32_t)(width + 100));
    std::vector<uint32_t> values;
    RgbPicture expected{width, 2, {}};
    for (const Rgb &c : channels.pixels) {
      values.push_back(Pixel555(c.red >> 3, c.green >> 3, c.blue >> 3, c.red & 1));
      // Worked out in floating point; bit replication (v << 3 | v >> 2) would differ for 3, 7, 24, 28.
      auto w = [](uint8_t v) { return (uint8_t)std::lround((v >> 3) * 255.0 / 31.0); };
      expected.pixels.push_back(Rgb{w(c.red), w(c.green), w(c.blue)});
    }
    BitmapFields fields;
    fields.width = width, fields.height = 2, fields.bitCount = 16;
    fields.bits = PackWordRows(values, width, 2, 16);
    SCOPED_TRACE(width);
    ExpectPicture(WriteBitmap(fields), expected);
  }
}

TEST(BitmapLoaderBitDepths, OtherDepthsAreAConversionError) {
  for (uint16_t bitCount : {0, 2, 3, 5, 15, 31, 48, 64, 0xFFFF}) {
    BitmapFields fields = Rgb24BitmapFields(PatternPicture(3, 2, 1));
    fields.bitCount = bitCount;
    fields.bits.resize(4096);  // enough bits for any depth: the depth itself is refused
    SCOPED_TRACE(bitCount);
    ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
  }
}

TEST(BitmapLoaderBitDepths, CompressionsThatDoNotFitTheDepthAreAConversionError) {
  struct Case {
    uint32_t compression;
    uint16_t bitCount;
  };
  const Case cases[] = {
      {4, 24},  {5, 24},  {4, 0},  {5, 0},  {6, 32},  {7, 24},  {11, 24}, {0xFFFFFFFF, 24},  // JPEG, PNG, later kinds
      {1, 4},   {1, 24},  {2, 8},  {2, 1},  {1, 1},                                        // run lengths at the wrong depth
      {3, 24},  {3, 8},   {3, 1},                                                          // masks at the wrong depth
  };
  for (const Case &c : cases) {
    BitmapFields fields = Rgb24BitmapFields(PatternPicture(3, 2, 1));
    fields.compression = c.compression, fields.bitCount = c.bitCount;
    if (c.compression == 3) fields.masks = {0xFF0000, 0xFF00, 0xFF};
    fields.bits.resize(4096);
    SCOPED_TRACE(std::to_string(c.compression) + " at " + std::to_string(c.bitCount) + " bits");
    ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
  }
}
