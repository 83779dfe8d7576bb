// The run-length decoder on its own, in memory the test owns: it writes every
// byte of the picture whatever the memory held before (the loader hands it
// fresh, uninitialised memory), and nothing past the picture, also where its
// block-wise runs and absolute runs end at the picture's last pixel. What the
// streams draw is the loader's tests' concern (bitmap_loader_rle_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/dib_rle.h"

namespace {

// More than the widest write a run may make past its end (two 48-byte blocks).
constexpr size_t guardBytes = 256;

struct RleCase {
  const char *name;
  int bitCount;
  int32_t width, height;
  std::vector<unsigned char> stream;
};

const std::vector<RleCase> cases = {
    {"an 8-bit run of two blocks ending at the last pixel", 8, 40, 1, {8, 1, 32, 2}},
    {"an 8-bit run of three blocks ending at the last pixel", 8, 48, 2, {0, 0, 48, 3}},
    {"an 8-bit run of 33 ending at the last pixel", 8, 40, 1, {7, 1, 33, 2}},
    {"a short run at the last pixel", 8, 5, 1, {4, 1, 1, 2}},
    {"an 8-bit absolute run ending at the last pixel", 8, 4, 2, {0, 0, 0, 4, 1, 2, 3, 4}},
    {"a 4-bit run over two rows' worth", 4, 37, 2, {37, 0x12, 0, 0, 60, 0x34, 0, 1}},
    {"a 4-bit absolute run ending at the last pixel", 4, 3, 1, {0, 3, 0x12, 0x30}},
    {"a stream that ends early", 8, 4, 2, {2, 1}},
    {"deltas over skipped pixels", 8, 5, 3, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1}},
    {"end of line, then end of bitmap", 4, 6, 3, {3, 0x56, 0, 0, 1, 0x77, 0, 1}},
    {"an empty stream", 8, 3, 2, {}},
};

// The memory after decoding the case into it, the picture and the guard past
// it, where every byte held `fill` before.
std::vector<unsigned char> DecodeOver(const RleCase &c, unsigned char fill) {
  DibHeader header = {};
  header.info.width = c.width;
  header.info.height = c.height;
  header.info.bitCount = (uint16_t)c.bitCount;
  header.info.compression = c.bitCount == 8 ? BI_RLE8 : BI_RLE4;
  uint32_t palette[256];
  for (uint32_t i = 0; i < 256; ++i) palette[i] = 0x102030u + i * 0x010305u;  // none black
  std::vector<unsigned char> memory(3 * (size_t)c.width * (size_t)c.height + guardBytes, fill);
  DecodeDibRle(&header, palette, c.stream.data(), c.stream.size(), memory.data());
  return memory;
}

}  // namespace

TEST(DibRle, EveryByteOfThePictureIsWrittenWhateverTheMemoryHeld) {
  for (const RleCase &c : cases) {
    SCOPED_TRACE(c.name);
    size_t pictureBytes = 3 * (size_t)c.width * (size_t)c.height;
    std::vector<unsigned char> overZeros = DecodeOver(c, 0x00), overOnes = DecodeOver(c, 0xFF);
    overZeros.resize(pictureBytes);
    overOnes.resize(pictureBytes);
    EXPECT_EQ(overZeros, overOnes);
  }
}

TEST(DibRle, NothingPastThePictureIsWritten) {
  for (const RleCase &c : cases) {
    SCOPED_TRACE(c.name);
    size_t pictureBytes = 3 * (size_t)c.width * (size_t)c.height;
    for (unsigned char fill : {0x00, 0xA5}) {
      std::vector<unsigned char> memory = DecodeOver(c, fill);
      std::vector<unsigned char> guard(memory.begin() + (std::ptrdiff_t)pictureBytes, memory.end());
      EXPECT_EQ(guard, std::vector<unsigned char>(guardBytes, fill)) << "fill " << (int)fill;
    }
  }
}
