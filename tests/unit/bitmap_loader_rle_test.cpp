// Bitmap loader: run-length streams: encoded and absolute runs, the escapes, cut runs, deltas and streams that end early.
#include <gtest/gtest.h>

#include "support/bitmap_load_check.h"

namespace {

const std::vector<Rgb> colours = PatternColours(16, 99);  // none of them black

// Rows from the top, one character a pixel: a hex digit is that table entry, '.' black.
RgbPicture Drawn(std::vector<std::string> rows) {
  RgbPicture p{(int32_t)rows[0].size(), (int32_t)rows.size(), {}};
  for (const std::string &row : rows)
    for (char c : row) p.pixels.push_back(c == '.' ? Rgb{0, 0, 0} : colours[std::stoi(std::string(1, c), nullptr, 16)]);
  return p;
}

Bytes RleFile(int bitCount, std::vector<std::string> rows, Bytes stream) {
  BitmapFields fields;
  fields.width = (int32_t)rows[0].size(), fields.height = (int32_t)rows.size();
  fields.bitCount = (uint16_t)bitCount, fields.compression = bitCount == 8 ? 1 : 2;
  fields.colours = colours;
  fields.coloursUsed = 16;
  fields.bits = stream;
  return WriteBitmap(fields);
}

// The stream, run in a picture of the drawn size, draws exactly the picture.
void ExpectRle(int bitCount, std::vector<std::string> rows, Bytes stream) {
  ExpectPicture(RleFile(bitCount, rows, stream), Drawn(rows));
}

}  // namespace

TEST(BitmapLoaderRle, EncodedPicturesLoadAtEveryWidth) {
  for (int32_t width : {1, 2, 3, 4, 5, 6, 7, 13, 37, 300}) {
    for (int32_t height : {1, 2, 3}) {
      IndexedPicture indices = PatternIndices(width, height, 16, (uint32_t)(width + height), width % 2 ? 7 : 40);
      for (int bitCount : {8, 4}) {
        BitmapFields fields = IndexedBitmapFields(indices, colours, bitCount);
        fields.compression = bitCount == 8 ? 1 : 2;
        fields.bits = bitCount == 8 ? EncodeRle8(indices) : EncodeRle4(indices);
        SCOPED_TRACE(std::to_string(bitCount) + " bits " + std::to_string(width) + "x" + std::to_string(height));
        ExpectPicture(WriteBitmap(fields), ApplyColourTable(indices, colours));
      }
    }
  }
}

TEST(BitmapLoaderRle, EndOfLineAndEndOfBitmapLeaveTheRestBlack) {
  ExpectRle(8, {"2...", "11.."}, {2, 1, 0, 0, 1, 2, 0, 1});
  ExpectRle(8, {"....", "111."}, {3, 1, 0, 1, 5, 2});  // nothing after the end of bitmap counts
  ExpectRle(4, {"3...", "12.."}, {2, 0x12, 0, 0, 1, 0x33, 0, 1});
}

TEST(BitmapLoaderRle, DeltaSkipsPixelsThatStayBlack) {
  ExpectRle(8, {".....", "...2.", "1...."}, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1});
  ExpectRle(4, {"....4", ".....", "5...."}, {1, 0x55, 0, 2, 3, 2, 1, 0x44, 0, 1});
  // A delta to the very end of a row is still inside the picture.
  ExpectRle(8, {"2..", "1.."}, {1, 1, 0, 2, 2, 0, 0, 0, 1, 2, 0, 1});
}

TEST(BitmapLoaderRle, AbsoluteRunsSkipTheirWordPadding) {
  // Padding bytes of 5: read as a command, they would paint a run.
  ExpectRle(8, {"1234567"}, {0, 3, 1, 2, 3, 5, 0, 4, 4, 5, 6, 7, 0, 1});
  // 4 bits: 3 pixels take 2 bytes (no padding), 5 take 3 bytes and a pad, 4 take 2.
  ExpectRle(4, {"123456789abc"}, {0, 3, 0x12, 0x30, 0, 5, 0x45, 0x67, 0x80, 5, 0, 4, 0x9A, 0xBC, 0, 1});
}

TEST(BitmapLoaderRle, FourBitRunsAlternateTheirTwoIndices) {
  ExpectRle(4, {"121213333"}, {5, 0x12, 4, 0x33, 0, 1});
  // Long enough for runs written in blocks of sixteen pixels, with rows above them.
  ExpectRle(4, {"ababababababababababa...", "........................", "121212121212121212127777"},
            {20, 0x12, 4, 0x77, 0, 0, 0, 0, 21, 0xAB, 0, 1});
  ExpectRle(8, {"6666666666666666666666666666666666", "5555555555555555555555555555555555"},
            {34, 5, 0, 0, 40, 6});
}

TEST(BitmapLoaderRle, RunsPastTheRowEndAreCutThere) {
  ExpectRle(8, {"22.", "111"}, {5, 1, 0, 0, 2, 2, 0, 1});
  ExpectRle(8, {"5..", "123"}, {0, 4, 1, 2, 3, 4, 0, 0, 1, 5, 0, 1});
  ExpectRle(8, {"...", "112"}, {2, 1, 2, 2, 3, 3, 0, 1});  // the row is full before the second run ends
  ExpectRle(4, {"...", "121"}, {7, 0x12, 0, 0});  // then the stream ends with no end of bitmap
}

TEST(BitmapLoaderRle, DeltaLeavingThePictureEndsTheStream) {
  ExpectRle(8, {"...", "1.."}, {1, 1, 0, 2, 5, 0, 1, 2, 0, 1});   // past the right edge
  ExpectRle(8, {"...", "1.."}, {1, 1, 0, 2, 0, 2, 1, 2, 0, 1});   // past the top
  ExpectRle(4, {"...", "1.."}, {1, 0x11, 0, 2, 255, 255, 1, 0x22});
}

TEST(BitmapLoaderRle, StreamsEndingEarlyKeepWhatTheyDrew) {
  ExpectRle(8, {"....", "111."}, {3, 1});                 // no end of bitmap
  ExpectRle(8, {"....", "11.."}, {2, 1, 0});              // half a command
  ExpectRle(8, {"....", "11.."}, {2, 1, 0, 2, 1});        // a delta without its second byte
  ExpectRle(8, {"....", "11.."}, {2, 1, 0, 4, 1, 2, 3});  // an absolute run one index short
  ExpectRle(4, {"....", "11.."}, {2, 0x11, 0, 5, 0x12});  // four bits, two bytes short
  ExpectRle(8, {"3..", "1.."}, {1, 1, 0, 0, 1, 3, 0, 3, 1, 2});  // an absolute run without its padding
}

TEST(BitmapLoaderRle, LinesBeyondTheLastRowAreIgnored) {
  ExpectRle(8, {"2", "1"}, {1, 1, 0, 0, 1, 2, 0, 0, 1, 3, 0, 0, 1, 4});
}

TEST(BitmapLoaderRle, IndicesPastTheTableAreBlack) {
  BitmapFields fields;
  fields.width = 5, fields.height = 1, fields.bitCount = 8, fields.compression = 1;
  fields.colours = {colours[0], colours[1]};
  fields.coloursUsed = 2;
  fields.bits = {1, 1, 1, 7, 0, 3, 0, 200, 1, 0};
  Rgb black{0, 0, 0};
  ExpectPicture(WriteBitmap(fields), RgbPicture{5, 1, {colours[1], black, colours[0], black, colours[1]}});
}

TEST(BitmapLoaderRle, StreamMustStartInsideTheFile) {
  Bytes file = RleFile(8, {"..", ".."}, {});
  ExpectFailure(file, "Image file conversion error.");
}
