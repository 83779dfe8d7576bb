// Bitmap loader: files cut short at every byte: the message each part of the file gives, and streams that keep what they drew.
#include <gtest/gtest.h>

#include "support/bitmap_load_check.h"

namespace {

struct CutForm {
  const char *name;
  BitmapFields fields;
  RgbPicture picture;
  size_t lastRowPadding;  // bytes the last row may lose and still load
};

std::vector<CutForm> CutForms() {
  std::vector<CutForm> forms;
  RgbPicture picture = PatternPicture(5, 3, 31);
  forms.push_back({"24 bits", Rgb24BitmapFields(picture), picture, 1});

  IndexedPicture indices = PatternIndices(5, 3, 17, 32);
  std::vector<Rgb> colours = PatternColours(17, 33);
  BitmapFields packed8 = IndexedBitmapFields(indices, colours, 8);
  packed8.fileHeader = false;
  forms.push_back({"8 bits packed", packed8, ApplyColourTable(indices, colours), 3});

  IndexedPicture nibbles = PatternIndices(5, 3, 16, 34);
  std::vector<Rgb> sixteen = PatternColours(16, 35);
  BitmapFields core4 = IndexedBitmapFields(nibbles, sixteen, 4);
  core4.headerSize = 12;
  forms.push_back({"4 bits core", core4, ApplyColourTable(nibbles, sixteen), 1});

  BitmapFields masked;
  masked.fileHeader = false;
  masked.width = 3, masked.height = 2, masked.bitCount = 16, masked.compression = 3;
  masked.masks = {0xF800, 0x07E0, 0x001F};
  masked.bits = PackWordRows({0xF800, 0x07E0, 0x001F, 0xFFFF, 0, 0xF81F}, 3, 2, 16);
  RgbPicture maskedPicture{3, 2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {255, 0, 255}}};
  forms.push_back({"16-bit masks packed", masked, maskedPicture, 2});
  return forms;
}

}  // namespace

TEST(BitmapLoaderTruncation, EveryCutGivesThePartsMessage) {
  for (const CutForm &form : CutForms()) {
    Bytes file = WriteBitmap(form.fields);
    size_t headerEnd = (form.fields.fileHeader ? 14 : 0) + form.fields.headerSize;
    size_t bitsEnd = file.size() - form.lastRowPadding;
    for (size_t size = 1; size < file.size(); ++size) {
      SCOPED_TRACE(std::string(form.name) + " cut to " + std::to_string(size) + " of " + std::to_string(file.size()));
      Bytes cut(file.begin(), file.begin() + size);
      if (size < headerEnd) ExpectFailure(cut, "Unknown DIB file format.");
      else if (size < bitsEnd) ExpectFailure(cut, "Image file conversion error.");
      else ExpectPicture(cut, form.picture);
    }
  }
}

TEST(BitmapLoaderTruncation, EmptyFileCannotBeOpened) {
  LoadOutcome outcome = LoadFromFile({});
  EXPECT_FALSE(outcome.loaded);
  EXPECT_EQ(outcome.message.rfind("Failed to open DIB file ", 0), 0u);
  EXPECT_EQ(LoadFromMemory({}).message, "Unknown DIB file format.");  // no mapping in the way
}

namespace {

// How many pixels, in storage order, match the full picture before the rest
// turns black; -1 when the pixels are neither.
long DrawnPrefix(const Bytes &pixels, const Bytes &full) {
  size_t prefix = 0;
  while (prefix < full.size() && pixels[prefix] == full[prefix]) ++prefix;
  prefix -= prefix % 3;
  for (size_t i = prefix; i < pixels.size(); ++i)
    if (pixels[i] != 0) return -1;
  return (long)(prefix / 3);
}

}  // namespace

TEST(BitmapLoaderTruncation, CutStreamsKeepWhatTheyDrewSoFar) {
  std::vector<Rgb> colours = PatternColours(16, 50);  // none of them black
  IndexedPicture indices = PatternIndices(9, 4, 16, 51, 5);
  Bytes full = BottomUpRgb(ApplyColourTable(indices, colours));
  for (int bitCount : {8, 4}) {
    BitmapFields fields = IndexedBitmapFields(indices, colours, bitCount);
    fields.compression = bitCount == 8 ? 1 : 2;
    fields.bits = bitCount == 8 ? EncodeRle8(indices) : EncodeRle4(indices);
    Bytes file = WriteBitmap(fields);
    size_t bitsStart = DefaultBitsOffset(fields);
    ExpectFailure(Bytes(file.begin(), file.begin() + bitsStart), "Image file conversion error.");
    long previous = 0;
    for (size_t size = bitsStart + 1; size <= file.size(); ++size) {
      SCOPED_TRACE(std::to_string(bitCount) + " bits cut to " + std::to_string(size));
      LoadOutcome outcome = LoadBothWays(Bytes(file.begin(), file.begin() + size));
      ASSERT_TRUE(outcome.loaded) << outcome.message;
      long prefix = DrawnPrefix(outcome.pixels, full);
      EXPECT_GE(prefix, previous);  // a longer stream never draws less
      previous = prefix;
    }
    EXPECT_EQ(previous, 9 * 4);
  }
}
