// Bitmap loader: colour tables: their size by depth and colours-used, entries past the table, the core form's 3-byte entries.
#include <gtest/gtest.h>

#include "support/bitmap_load_check.h"

namespace {

// Every index from 0 to levels - 1 appears, in varied order.
IndexedPicture AllIndices(int32_t width, int32_t height, int levels) {
  IndexedPicture p = PatternIndices(width, height, levels, 21);
  for (int i = 0; i < levels && i < width * height; ++i) p.indices[(size_t)i * 7 % p.indices.size()] = (uint8_t)i;
  return p;
}

}  // namespace

TEST(BitmapLoaderColourTables, FullTableForEachIndexedDepth) {
  for (int bitCount : {1, 4, 8}) {
    IndexedPicture indices = AllIndices(23, 13, 1 << bitCount);
    std::vector<Rgb> colours = PatternColours(1 << bitCount, (uint32_t)bitCount);
    for (bool fileHeader : {true, false}) {
      BitmapFields fields = IndexedBitmapFields(indices, colours, bitCount);
      fields.fileHeader = fileHeader;
      SCOPED_TRACE(std::to_string(bitCount) + (fileHeader ? " bits, file header" : " bits, packed"));
      EXPECT_EQ(fields.coloursUsed, 0u);
      ExpectPicture(WriteBitmap(fields), ApplyColourTable(indices, colours));
    }
  }
}

TEST(BitmapLoaderColourTables, ShortTableLeavesLaterIndicesBlack) {
  // 17 entries; the picture uses indices up to 40, and a packed DIB's bits
  // begin right behind the 17th entry.
  IndexedPicture indices = AllIndices(9, 7, 41);
  std::vector<Rgb> colours = PatternColours(17, 3);
  for (bool fileHeader : {true, false}) {
    BitmapFields fields = IndexedBitmapFields(indices, colours, 8);
    fields.fileHeader = fileHeader;
    EXPECT_EQ(fields.coloursUsed, 17u);
    ExpectPicture(WriteBitmap(fields), ApplyColourTable(indices, colours));
  }
  IndexedPicture nibbles = AllIndices(5, 4, 16);
  std::vector<Rgb> three = PatternColours(3, 4);
  BitmapFields fields = IndexedBitmapFields(nibbles, three, 4);
  fields.fileHeader = false;
  ExpectPicture(WriteBitmap(fields), ApplyColourTable(nibbles, three));
}

TEST(BitmapLoaderColourTables, TableLongerThanTheDepthNeedsIsSkippedOver) {
  IndexedPicture indices = AllIndices(6, 3, 16);
  std::vector<Rgb> colours = PatternColours(20, 8);  // 4 spare entries
  BitmapFields fields = IndexedBitmapFields(indices, colours, 4);
  fields.fileHeader = false;
  EXPECT_EQ(fields.coloursUsed, 20u);
  ExpectPicture(WriteBitmap(fields), ApplyColourTable(indices, colours));
}

TEST(BitmapLoaderColourTables, TrueColourFileWithATableKeepsItsBitsBehindTheTable) {
  RgbPicture picture = PatternPicture(4, 3, 9);
  BitmapFields fields = Rgb24BitmapFields(picture);
  fields.colours = PatternColours(5, 10);
  fields.coloursUsed = 5;
  ExpectPicture(WriteBitmap(fields), picture);
  fields.fileHeader = false;
  ExpectPicture(WriteBitmap(fields), picture);
}

TEST(BitmapLoaderColourTables, ColoursUsedKeepsItsLow16Bits) {
  IndexedPicture indices = AllIndices(5, 2, 8);
  std::vector<Rgb> colours = PatternColours(5, 13);
  BitmapFields fields = IndexedBitmapFields(indices, colours, 8);
  fields.fileHeader = false;
  fields.coloursUsed = 0x10005;  // five entries, as far as the loader is concerned
  ExpectPicture(WriteBitmap(fields), ApplyColourTable(indices, colours));
}

TEST(BitmapLoaderColourTables, FourthByteOfAnEntryIsIgnored) {
  IndexedPicture indices = AllIndices(5, 3, 4);
  std::vector<Rgb> colours = PatternColours(4, 14);
  BitmapFields fields = IndexedBitmapFields(indices, colours, 8);
  fields.colourReserved = 0xFF;
  ExpectPicture(WriteBitmap(fields), ApplyColourTable(indices, colours));
}

TEST(BitmapLoaderColourTables, CoreFormEntriesAreThreeBytes) {
  for (int bitCount : {1, 4, 8}) {
    IndexedPicture indices = AllIndices(7, 3, 1 << bitCount);
    std::vector<Rgb> colours = PatternColours(1 << bitCount, 15);
    BitmapFields fields = IndexedBitmapFields(indices, colours, bitCount);
    fields.headerSize = 12;
    fields.fileHeader = false;  // the bits are found behind 3-byte entries or not at all
    SCOPED_TRACE(bitCount);
    ExpectPicture(WriteBitmap(fields), ApplyColourTable(indices, colours));
  }
}

TEST(BitmapLoaderColourTables, TableRunningPastTheEndIsAConversionError) {
  IndexedPicture indices = AllIndices(2, 2, 2);
  BitmapFields fields = IndexedBitmapFields(indices, PatternColours(2, 1), 8);
  fields.coloursUsed = 0xFFFF;  // 262 KB of table that the file does not have
  ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
  fields.headerSize = 12;  // 256 entries of 3 bytes, only 2 present
  fields.coloursUsed = 0;
  ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
}
