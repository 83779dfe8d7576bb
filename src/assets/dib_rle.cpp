// dib_rle.cpp: run-length streams of 8- and 4-bit indices to packed RGB rows: runs are copied as
// whole blocks of a prepared pattern, and skipped pixels are blackened as the cursor passes them.
#include "assets/dib_rle.h"

#include <cstring>

namespace {

// Where a stream's pixels go. The stream only moves forward through the
// picture, so pixels it skips are blackened just before the next write and at
// the end. Bytes past the last pixel written are therefore free until then,
// and runs may write whole blocks that reach a little beyond their end.
struct RleTarget {
  unsigned char *rgb, *end;  // the picture and the byte past it
  size_t width, rows;
  size_t row, rowStart;  // the cursor's row and its first pixel, in storage order
  size_t here;           // the cursor's pixel; never past the end of its row
  size_t filled;         // pixels before this one are final
};

void BlackenTo(RleTarget *target, size_t pixel) {
  if (pixel > target->filled) memset(target->rgb + 3 * target->filled, 0, 3 * (pixel - target->filled));
  target->filled = pixel;
}

// The start of a run at the cursor: how many of its count pixels fit in the row.
size_t BeginRun(RleTarget *target, size_t count, unsigned char **dst) {
  BlackenTo(target, target->here);
  *dst = target->rgb + 3 * target->here;
  size_t room = target->rowStart + target->width - target->here;
  return count < room ? count : room;
}

void EndRun(RleTarget *target, size_t written) {
  target->here += written;
  target->filled = target->here;
}

// Sixteen pixels of each run code, 48 bytes: its colour repeated, or in 4-bit
// streams the colours of its two indices in turn. Runs copy whole blocks.
typedef unsigned char RunPattern[48];

template <bool fourBit>
void BuildRunPatterns(const uint32_t *palette, RunPattern patterns[256]) {
  for (unsigned code = 0; code < 256; ++code) {
    uint32_t even = palette[fourBit ? code >> 4 : code], odd = palette[fourBit ? code & 15 : code];
    for (int i = 0; i < 16; ++i) PutPackedPixel(patterns[code] + 3 * i, i & 1 ? odd : even);
  }
}

// Inlined into both decoders, so that the cursor stays in registers.
[[gnu::always_inline]] inline void WriteRun(RleTarget *target, size_t count, const RunPattern pattern) {
  unsigned char *dst;
  size_t n = BeginRun(target, count, &dst);
  size_t blocks = n > 32 ? (n + 15) / 16 : 2;
  if ((size_t)(target->end - dst) >= 48 * blocks) {
    // Two blocks whatever the length up to 32: no branch on it to mispredict.
    memcpy(dst, pattern, 48);
    memcpy(dst + 48, pattern, 48);
    for (unsigned char *block = dst + 96; blocks > 2; --blocks, block += 48) memcpy(block, pattern, 48);
  } else {
    for (size_t i = 0; i < n; ++i) memcpy(dst + 3 * i, pattern + 3 * (i & 1), 3);
  }
  EndRun(target, n);
}

template <bool fourBit>
void WriteAbsolute(RleTarget *target, const unsigned char *indices, size_t count, const uint32_t *palette) {
  unsigned char *dst;
  size_t n = BeginRun(target, count, &dst);
  if (!fourBit && (size_t)(target->end - dst) > 3 * n) {
    for (size_t i = 0; i < n; ++i) memcpy(dst + 3 * i, &palette[indices[i]], 4);  // a fourth byte past the run is free
  } else {
    for (size_t i = 0; i < n; ++i) {
      unsigned index = fourBit ? (indices[i >> 1] >> (i & 1 ? 0 : 4)) & 15 : indices[i];
      PutPackedPixel(dst + 3 * i, palette[index]);
    }
  }
  EndRun(target, n);
}

// 0 when the move leaves the picture, which ends the stream.
int MoveCursor(RleTarget *target, size_t right, size_t up) {
  size_t x = target->here - target->rowStart + right;
  target->row += up;
  if (x > target->width || target->row >= target->rows) return 0;
  target->rowStart = target->row * target->width;
  target->here = target->rowStart + x;
  return 1;
}

template <bool fourBit>
void DecodeRle(const unsigned char *bits, size_t size, const uint32_t *palette, RleTarget *target) {
  RunPattern patterns[256];
  BuildRunPatterns<fourBit>(palette, patterns);
  size_t at = 0;
  while (size - at >= 2) {
    unsigned count = bits[at], code = bits[at + 1];
    at += 2;
    if (count != 0) {
      WriteRun(target, count, patterns[code]);
    } else if (code == 0) {  // end of line
      if (!MoveCursor(target, 0, 1)) return;
      target->here = target->rowStart;
    } else if (code == 1) {  // end of bitmap
      return;
    } else if (code == 2) {  // delta
      if (size - at < 2 || !MoveCursor(target, bits[at], bits[at + 1])) return;
      at += 2;
    } else {  // absolute run, padded to a whole 16-bit word
      size_t bytes = fourBit ? (code + 1) / 2 : code;
      if (size - at < bytes) return;
      WriteAbsolute<fourBit>(target, bits + at, code, palette);
      at += bytes + (bytes & 1);
      if (at > size) return;
    }
  }
}

}  // namespace

void DecodeDibRle(const DibHeader *header, const uint32_t palette[256], const unsigned char *bits,
                  size_t bitsSize, unsigned char *rgb) {
  size_t width = (size_t)header->info.width, rows = (size_t)header->info.height;  // a stream is stored bottom-up
  RleTarget target = {rgb, rgb + 3 * width * rows, width, rows, 0, 0, 0, 0};
  if (header->info.compression == BI_RLE4) DecodeRle<true>(bits, bitsSize, palette, &target);
  else DecodeRle<false>(bits, bitsSize, palette, &target);
  BlackenTo(&target, target.width * target.rows);
}
