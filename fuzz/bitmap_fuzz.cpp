// bitmap_fuzz.cpp: libFuzzer target: the bitmap loader over arbitrary bytes, which must never crash, leak or read outside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "assets/bitmap_loader.h"
#include "assets/dib_convert.h"

namespace {

// Whether the header asks for a picture of 1 MiB to 1 GiB. Only run-length
// files get that far with a few bytes, and then the run spends its time
// blackening memory that no stream reaches; their decoding is the same at any
// size. Pictures above the loader's limit fail early and still run.
bool AsksForLargePicture(const uint8_t *data, size_t size) {
  size_t at = size >= 2 && data[0] == 'B' && data[1] == 'M' ? 14 : 0;
  if (size < at + 16) return false;
  uint32_t headerSize = ReadLe32(data + at);
  uint64_t width, height;
  if (headerSize == 12) {
    width = ReadLe16(data + at + 4), height = ReadLe16(data + at + 6);
  } else {
    int64_t signedHeight = (int32_t)ReadLe32(data + at + 8);
    width = ReadLe32(data + at + 4);
    height = (uint64_t)(signedHeight < 0 ? -signedHeight : signedHeight);
  }
  uint64_t bytes = width * height * 3;
  return bytes > ((uint64_t)1 << 20) && bytes <= maxRgbBytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (AsksForLargePicture(data, size)) return -1;  // -1: not added to the corpus
  showLoaderErrors = false;
  // libFuzzer hands over a block of exactly size bytes, so ASan sees any read past the end.
  RgbImage *image = LoadBitmapBytes(data, size);
  if (image == nullptr) {
    if (loaderMessage[0] == '\0') abort();  // every failure has its message
    return 0;
  }
  if (image->width <= 0 || image->height <= 0 || loaderMessage[0] != '\0') abort();
  // Touch the last byte: ASan reports a pixel buffer smaller than the record says.
  volatile unsigned char last = image->pixels[(size_t)image->width * (size_t)image->height * 3 - 1];
  (void)last;
  free(image->pixels);
  free(image);
  return 0;
}
