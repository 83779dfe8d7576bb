// Bitmap loader: file and info headers, the packed-DIB case, the messages and their sink, opening failures, sizes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "assets/bitmap_loader.h"
#include "support/bitmap_load_check.h"

namespace {

RgbPicture SmallPicture() { return PatternPicture(3, 2, 7); }

}  // namespace

TEST(BitmapLoaderHeaders, FileHeaderAndPackedDibGiveTheSamePicture) {
  BitmapFields fields = Rgb24BitmapFields(SmallPicture());
  ExpectPicture(WriteBitmap(fields), SmallPicture());
  fields.fileHeader = false;
  ExpectPicture(WriteBitmap(fields), SmallPicture());
}

TEST(BitmapLoaderHeaders, BitsOffsetIsFollowedWherePaddingPrecedesTheBits) {
  BitmapFields fields = Rgb24BitmapFields(SmallPicture());
  Bytes gap(9, 0xEE);
  fields.bits.insert(fields.bits.begin(), gap.begin(), gap.end());
  fields.bitsOffset = (uint32_t)(DefaultBitsOffset(fields) + gap.size());
  ExpectPicture(WriteBitmap(fields), SmallPicture());
}

TEST(BitmapLoaderHeaders, CoreHeaderGivesTheSamePictureAsItsInfoTwin) {
  IndexedPicture indices = PatternIndices(5, 3, 16, 11);
  std::vector<Rgb> colours = PatternColours(16, 12);
  for (bool fileHeader : {true, false}) {
    BitmapFields info = IndexedBitmapFields(indices, colours, 4);
    info.fileHeader = fileHeader;
    BitmapFields core = info;
    core.headerSize = 12;
    LoadOutcome fromInfo = LoadBothWays(WriteBitmap(info));
    LoadOutcome fromCore = LoadBothWays(WriteBitmap(core));
    ASSERT_TRUE(fromInfo.loaded && fromCore.loaded) << fromCore.message;
    EXPECT_EQ(fromCore.width, fromInfo.width);
    EXPECT_EQ(fromCore.height, fromInfo.height);
    EXPECT_TRUE(fromCore.pixels == fromInfo.pixels);
    EXPECT_TRUE(fromCore.pixels == BottomUpRgb(ApplyColourTable(indices, colours)));
  }
}

TEST(BitmapLoaderHeaders, CoreHeaderWidthAndHeightAreUnsigned) {
  RgbPicture wide = PatternPicture(40000, 1, 3);  // above 32767: a signed reading would go negative
  BitmapFields fields = Rgb24BitmapFields(wide);
  fields.headerSize = 12;
  ExpectPicture(WriteBitmap(fields), wide);
}

TEST(BitmapLoaderHeaders, OtherHeaderSizesAreAnUnknownFormat) {
  for (uint32_t size : {0u, 16u, 64u, 108u, 124u, 41u, 11u}) {
    BitmapFields fields = Rgb24BitmapFields(SmallPicture());
    fields.headerSize = size;
    SCOPED_TRACE(size);
    ExpectFailure(WriteBitmap(fields), "Unknown DIB file format.");
  }
}

TEST(BitmapLoaderHeaders, FilesTooShortForTheirHeadersAreAnUnknownFormat) {
  Bytes file = WriteBitmap(Rgb24BitmapFields(SmallPicture()));
  for (size_t size : {(size_t)1, (size_t)2, (size_t)13, (size_t)14, (size_t)17, (size_t)18, (size_t)53}) {
    SCOPED_TRACE(size);
    ExpectFailure(Bytes(file.begin(), file.begin() + size), "Unknown DIB file format.");
  }
  BitmapFields core = Rgb24BitmapFields(SmallPicture());
  core.headerSize = 12, core.fileHeader = false;
  Bytes packed = WriteBitmap(core);
  ExpectFailure(Bytes(packed.begin(), packed.begin() + 11), "Unknown DIB file format.");
}

TEST(BitmapLoaderHeaders, EmptyPicturesAreAConversionError) {
  for (auto [width, height] : {std::pair{0, 2}, {-3, 2}, {3, 0}}) {
    BitmapFields fields = Rgb24BitmapFields(SmallPicture());
    fields.width = width, fields.height = height;
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
  }
}

TEST(BitmapLoaderHeaders, HugeAndOverflowingSizesAreOutOfMemoryBeforeAnyRead) {
  // None of these files holds the bits it claims; the size check comes first.
  for (auto [width, height] : {std::pair{0x7FFFFFFF, 0x7FFFFFFF}, {0x7FFFFFFF, (int32_t)0x80000000},
                               {0x40000000, 4}, {16385, 21846}, {0x10000, -0x10000}, {1, 0x7FFFFFFF}}) {
    for (uint16_t bitCount : {(uint16_t)24, (uint16_t)32}) {
      BitmapFields fields = Rgb24BitmapFields(SmallPicture());
      fields.width = width, fields.height = height, fields.bitCount = bitCount;
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
      ExpectFailure(WriteBitmap(fields), "Out of memory.");
    }
  }
}

TEST(BitmapLoaderHeaders, PictureJustUnderTheLimitIsNotRefusedForItsSize) {
  // 16384 x 21845 x 3 bytes is 48 KiB under 1 GiB (one more row is over, above):
  // allowed by size, so the missing bits are what fails.
  BitmapFields fields = Rgb24BitmapFields(SmallPicture());
  fields.width = 16384, fields.height = 21845;
  ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
}

TEST(BitmapLoaderHeaders, BitsOffsetOutsideTheFileIsAConversionError) {
  BitmapFields fields = Rgb24BitmapFields(SmallPicture());
  size_t fileSize = WriteBitmap(fields).size();
  for (uint64_t offset : {(uint64_t)fileSize, (uint64_t)fileSize + 1, (uint64_t)0xFFFFFFFF}) {
    fields.bitsOffset = (uint32_t)offset;
    SCOPED_TRACE(offset);
    ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
  }
  fields.bitsOffset = (uint32_t)(fileSize - 1);  // inside, but one byte cannot hold the bits
  ExpectFailure(WriteBitmap(fields), "Image file conversion error.");
}

TEST(BitmapLoaderHeaders, BitsOffsetMayPointIntoTheHeaders) {
  // The loader takes the offset as given; here the "pixels" are the header's own bytes.
  BitmapFields fields = Rgb24BitmapFields(PatternPicture(1, 1, 5));
  fields.bitsOffset = 0;
  Bytes file = WriteBitmap(fields);
  ExpectPicture(file, RgbPicture{1, 1, {Rgb{file[2], file[1], file[0]}}});
}

TEST(BitmapLoaderHeaders, WithoutASinkTheTextIsOnlyKept) {
  BitmapFields fields = Rgb24BitmapFields(SmallPicture());
  fields.headerSize = 108;
  Bytes file = WriteBitmap(fields);
  loaderMessageSink = nullptr;
  EXPECT_EQ(LoadBitmapBytes(file.data(), file.size()), nullptr);
  EXPECT_STREQ(loaderMessage, "Unknown DIB file format.");
}

TEST(BitmapLoaderHeaders, WithMessagesOffTheTextIsKeptButNothingReachesTheSink) {
  BitmapFields fields = Rgb24BitmapFields(SmallPicture());
  fields.headerSize = 124;
  showLoaderErrors = false;
  LoadOutcome bad = LoadFromMemory(WriteBitmap(fields));
  LoadOutcome missing = LoadFromFile({});
  LoadOutcome good = LoadFromMemory(WriteBitmap(Rgb24BitmapFields(SmallPicture())));
  showLoaderErrors = true;
  EXPECT_EQ(bad.message, "Unknown DIB file format.");
  EXPECT_TRUE(bad.reports.empty());
  EXPECT_EQ(missing.message.rfind("Failed to open DIB file ", 0), 0u);
  EXPECT_TRUE(missing.reports.empty());
  EXPECT_TRUE(good.loaded);
  EXPECT_EQ(good.message, "");  // a success clears the last failure
}

TEST(BitmapLoaderHeaders, UnopenableFilesNameTheirPath) {
  LoadOutcome empty = LoadFromFile({});
  EXPECT_FALSE(empty.loaded);
  ASSERT_EQ(empty.reports.size(), 1u);
  EXPECT_EQ(empty.reports[0].rfind("Failed to open DIB file /", 0), 0u);
  EXPECT_EQ(empty.reports[0].substr(empty.reports[0].size() - 2), ".\n");

  RecordLoaderReports();
  EXPECT_EQ(LoadBitmapFile("Tex/no-such-file.bmp"), nullptr);
  ASSERT_EQ(LoaderReports().size(), 1u);
  EXPECT_EQ(LoaderReports()[0], "Failed to open DIB file Tex/no-such-file.bmp.\n");
  EXPECT_EQ(std::string(loaderMessage), LoaderReports()[0]);
}

TEST(BitmapLoaderHeaders, LongPathIsCutToFitTheMessageBuffer) {
  std::string path = "Tex/" + std::string(400, 'x') + ".bmp";
  RecordLoaderReports();
  EXPECT_EQ(LoadBitmapFile(path.c_str()), nullptr);
  ASSERT_EQ(LoaderReports().size(), 1u);
  std::string text = LoaderReports()[0];
  EXPECT_EQ(text.size(), sizeof loaderMessage - 1);
  EXPECT_EQ(text, ("Failed to open DIB file " + path).substr(0, sizeof loaderMessage - 1));
}

TEST(BitmapLoaderHeaders, ColourCountFollowsTheHeaderForm) {
  struct Case {
    uint32_t headerSize;
    uint16_t bitCount;
    uint32_t coloursUsed;
    uint16_t count;
  };
  const Case cases[] = {
      {40, 1, 0, 2},      {40, 4, 0, 16},     {40, 8, 0, 256},     {40, 24, 0, 0},  {40, 16, 0, 0},
      {40, 8, 17, 17},    {40, 24, 5, 5},     {40, 8, 0x10005, 5}, {12, 1, 0, 2},   {12, 4, 0, 16},
      {12, 8, 0, 256},    {12, 24, 0, 0},     {12, 8, 17, 256},  // the core form has no colours-used field
  };
  for (const Case &c : cases) {
    BitmapFields fields;
    fields.fileHeader = false;
    fields.headerSize = c.headerSize, fields.bitCount = c.bitCount, fields.coloursUsed = c.coloursUsed;
    Bytes header = WriteBitmap(fields);
    EXPECT_EQ(DibColourCount(header.data()), c.count) << c.headerSize << "-byte header, " << c.bitCount << " bits";
  }
}
