// Bitmap loader: row order: bottom row first in the result, top-down files turned over, top-down run lengths refused.
#include <gtest/gtest.h>

#include "support/bitmap_load_check.h"

TEST(BitmapLoaderOrientation, ResultStartsWithTheFilesFirstStoredRow) {
  // Written out by hand: a bottom-up 1x2 file whose first stored row is blue
  // (the bottom of the picture) and second red.
  BitmapFields fields;
  fields.width = 1, fields.height = 2;
  fields.bits = {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00};
  LoadOutcome bottomUp = LoadBothWays(WriteBitmap(fields));
  ASSERT_TRUE(bottomUp.loaded);
  EXPECT_TRUE(bottomUp.pixels == Bytes({0, 0, 0xFF, 0xFF, 0, 0}));

  fields.height = -2;  // the same bytes, now the top row first
  LoadOutcome topDown = LoadBothWays(WriteBitmap(fields));
  ASSERT_TRUE(topDown.loaded);
  EXPECT_EQ(topDown.height, 2);
  EXPECT_TRUE(topDown.pixels == Bytes({0xFF, 0, 0, 0, 0, 0xFF}));
}

TEST(BitmapLoaderOrientation, TopDownFilesOfEveryUncompressedFormGiveTheSamePicture) {
  for (int32_t width : {1, 3, 4, 5, 7}) {
    const int32_t height = 4;
    RgbPicture picture = PatternPicture(width, height, (uint32_t)width * 3);
    IndexedPicture indices = PatternIndices(width, height, 256, (uint32_t)width);
    std::vector<std::pair<BitmapFields, RgbPicture>> forms;
    for (int bitCount : {1, 4, 8}) {
      IndexedPicture narrow = indices;
      for (uint8_t &i : narrow.indices) i &= (uint8_t)((1 << bitCount) - 1);
      BitmapFields f = IndexedBitmapFields(narrow, PatternColours(1 << bitCount, 5), bitCount);
      f.bits = PackIndexRows(narrow, bitCount, true);
      forms.push_back({f, ApplyColourTable(narrow, f.colours)});
    }
    BitmapFields rgb24 = Rgb24BitmapFields(picture);
    rgb24.bits = PackRgb24Rows(picture, true);
    forms.push_back({rgb24, picture});
    BitmapFields rgb32 = rgb24;
    rgb32.bitCount = 32;
    rgb32.bits = PackWordRows(Rgb32Values(picture, 0), width, height, 32, true);
    forms.push_back({rgb32, picture});
    BitmapFields masked = rgb32;
    masked.compression = 3;
    masked.masks = {0xFF, 0xFF00, 0xFF0000};  // red in the low byte
    std::vector<uint32_t> swapped;
    for (const Rgb &c : picture.pixels) swapped.push_back((uint32_t)c.blue << 16 | c.green << 8 | c.red);
    masked.bits = PackWordRows(swapped, width, height, 32, true);
    forms.push_back({masked, picture});
    for (auto &[fields, expected] : forms) {
      fields.height = -height;
      SCOPED_TRACE(std::to_string(fields.bitCount) + " bits, width " + std::to_string(width));
      ExpectPicture(WriteBitmap(fields), expected);
    }
  }
}

TEST(BitmapLoaderOrientation, TopDownRunLengthFilesAreRefused) {
  IndexedPicture indices = PatternIndices(4, 3, 4, 1, 3);
  for (auto [compression, bitCount] : {std::pair{1u, 8}, {2u, 4}}) {
    BitmapFields fields = IndexedBitmapFields(indices, PatternColours(16, 2), bitCount);
    fields.compression = compression;
    fields.bits = compression == 1 ? EncodeRle8(indices) : EncodeRle4(indices);
    ExpectPicture(WriteBitmap(fields), ApplyColourTable(indices, fields.colours));  // the bottom-up twin loads
    fields.height = -3;
    ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
  }
}
