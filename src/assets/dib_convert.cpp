// dib_convert.cpp: DIB pixel bits of every accepted depth and compression to packed RGB rows, in one pass.
#include "assets/dib_convert.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

// Colours travel packed as red | green << 8 | blue << 16: stored little-endian,
// the first three bytes of the word are the pixel as the result holds it.
static_assert(std::endian::native == std::endian::little, "packed colours assume a little-endian host");

namespace {

// One colour channel of a 16- or 32-bit pixel.
struct DibChannel {
  uint32_t mask;
  unsigned shift;
  uint64_t maxValue;   // 2^bits - 1
  uint8_t widen[256];  // the 8-bit value of each raw value, for channels of up to 8 bits
};

struct PixelTables {
  uint32_t palette[256];    // packed colour of each index; black where the table has no entry
  DibChannel channels[3];   // red, green, blue
};

typedef void (*RowConverter)(const unsigned char *src, unsigned char *dst, int32_t width,
                             const PixelTables *tables);

uint64_t RowCount(const DibInfoHeader &info) {
  return info.height < 0 ? (uint64_t)(-(int64_t)info.height) : (uint64_t)info.height;
}

uint64_t RowStride(const DibInfoHeader &info) {
  return ((uint64_t)info.width * info.bitCount + 31) / 32 * 4;
}

// ---- format checks

bool MaskIsUsable(uint32_t mask, unsigned bitCount) {
  if (mask == 0) return false;
  if (bitCount < 32 && (mask >> bitCount) != 0) return false;  // bits the pixel does not have
  uint32_t low = mask >> std::countr_zero(mask);
  return (low & (low + 1)) == 0;  // one unbroken run of ones
}

bool MasksAreUsable(const uint32_t masks[3], unsigned bitCount) {
  for (int i = 0; i < 3; ++i)
    if (!MaskIsUsable(masks[i], bitCount)) return false;
  return (masks[0] & masks[1]) == 0 && (masks[0] & masks[2]) == 0 && (masks[1] & masks[2]) == 0;
}

bool FormatIsKnown(const DibHeader *header) {
  const DibInfoHeader &info = header->info;
  unsigned bits = info.bitCount;
  switch (info.compression) {
    case BI_RGB:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BI_RLE8:
      return bits == 8 && info.height > 0;  // a run-length stream is always stored bottom-up
    case BI_RLE4:
      return bits == 4 && info.height > 0;
    case BI_BITFIELDS:
      return (bits == 16 || bits == 32) && MasksAreUsable(header->masks, bits);
    default:
      return false;
  }
}

// The bytes the conversion reads: a stream needs a first byte; rows need all
// but the padding of the last row, which some writers leave out.
uint64_t BitsNeeded(const DibInfoHeader &info) {
  if (info.compression == BI_RLE8 || info.compression == BI_RLE4) return 1;
  uint64_t lastRow = ((uint64_t)info.width * info.bitCount + 7) / 8;
  return (RowCount(info) - 1) * RowStride(info) + lastRow;
}

// ---- tables

void BuildPalette(const DibHeader *header, uint32_t palette[256]) {
  uint32_t entries = header->colourCount < 256 ? header->colourCount : 256;
  for (uint32_t i = 0; i < entries; ++i) {
    const DibColour &c = header->colours[i];
    palette[i] = (uint32_t)c.red | (uint32_t)c.green << 8 | (uint32_t)c.blue << 16;
  }
  for (uint32_t i = entries; i < 256; ++i) palette[i] = 0;
}

// round(value * 255 / maxValue); maxValue is odd, so there is never a tie.
uint8_t WidenChannel(uint64_t value, uint64_t maxValue) {
  return (uint8_t)((2 * value * 255 + maxValue) / (2 * maxValue));
}

void BuildChannel(uint32_t mask, DibChannel *channel) {
  channel->mask = mask;
  channel->shift = (unsigned)std::countr_zero(mask);
  channel->maxValue = (uint64_t)(mask >> channel->shift);
  if (channel->maxValue > 255) return;
  for (uint64_t v = 0; v <= channel->maxValue; ++v) channel->widen[v] = WidenChannel(v, channel->maxValue);
}

uint8_t ChannelValue(const DibChannel &channel, uint32_t pixel) {
  uint32_t raw = (pixel & channel.mask) >> channel.shift;
  return channel.maxValue <= 255 ? channel.widen[raw] : WidenChannel(raw, channel.maxValue);
}

// ---- row converters: one row of width pixels from the file's bits to RGB

void PutPixel(unsigned char *dst, uint32_t packed) {
  dst[0] = (uint8_t)packed;
  dst[1] = (uint8_t)(packed >> 8);
  dst[2] = (uint8_t)(packed >> 16);
}

// Writes the pixels of a row from their packed colours: eight at a time as
// three 8-byte words, which is cheaper than a store per pixel.
template <typename ColourAt>
void PutPackedRow(unsigned char *dst, int32_t width, ColourAt colourAt) {
  int32_t x = 0;
  for (; x + 8 <= width; x += 8, dst += 24) {
    uint64_t p[8];
    for (int k = 0; k < 8; ++k) p[k] = colourAt(x + k);
    uint64_t first = p[0] | p[1] << 24 | p[2] << 48;
    uint64_t second = p[2] >> 16 | p[3] << 8 | p[4] << 32 | p[5] << 56;
    uint64_t third = p[5] >> 8 | p[6] << 16 | p[7] << 40;
    memcpy(dst, &first, 8);
    memcpy(dst + 8, &second, 8);
    memcpy(dst + 16, &third, 8);
  }
  for (; x < width; ++x, dst += 3) PutPixel(dst, colourAt(x));
}

void Row1(const unsigned char *src, unsigned char *dst, int32_t width, const PixelTables *tables) {
  PutPackedRow(dst, width, [&](int32_t x) { return tables->palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; });
}

void Row4(const unsigned char *src, unsigned char *dst, int32_t width, const PixelTables *tables) {
  PutPackedRow(dst, width, [&](int32_t x) { return tables->palette[(src[x >> 1] >> (x & 1 ? 0 : 4)) & 15]; });
}

void Row8(const unsigned char *src, unsigned char *dst, int32_t width, const PixelTables *tables) {
  PutPackedRow(dst, width, [&](int32_t x) { return tables->palette[src[x]]; });
}

uint32_t MaskedColour(const PixelTables *tables, uint32_t pixel) {
  return (uint32_t)ChannelValue(tables->channels[0], pixel) |
         (uint32_t)ChannelValue(tables->channels[1], pixel) << 8 |
         (uint32_t)ChannelValue(tables->channels[2], pixel) << 16;
}

void Row16(const unsigned char *src, unsigned char *dst, int32_t width, const PixelTables *tables) {
  PutPackedRow(dst, width, [&](int32_t x) { return MaskedColour(tables, ReadLe16(src + 2 * x)); });
}

void Row32Masks(const unsigned char *src, unsigned char *dst, int32_t width, const PixelTables *tables) {
  PutPackedRow(dst, width, [&](int32_t x) { return MaskedColour(tables, ReadLe32(src + 4 * x)); });
}

// Blue, green, red to red, green, blue: five pixels per step, with loads and
// stores that stay inside the row.
void Row24(const unsigned char *src, unsigned char *dst, int32_t width, const PixelTables *) {
  int32_t x = 0;
#if defined(__SSE2__)
  const __m128i green = _mm_setr_epi8(0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0);
  const __m128i first = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0);
  const __m128i third = _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0);
  for (; x + 6 <= width; x += 5) {
    __m128i v = _mm_loadu_si128((const __m128i *)(src + 3 * x));
    __m128i red = _mm_and_si128(_mm_srli_si128(v, 2), first);
    __m128i blue = _mm_and_si128(_mm_slli_si128(v, 2), third);
    __m128i rgb = _mm_or_si128(_mm_and_si128(v, green), _mm_or_si128(red, blue));
    _mm_storeu_si128((__m128i *)(dst + 3 * x), rgb);
  }
#endif
  for (; x < width; ++x) {
    dst[3 * x] = src[3 * x + 2];
    dst[3 * x + 1] = src[3 * x + 1];
    dst[3 * x + 2] = src[3 * x];
  }
}

// Blue, green, red, unused to red, green, blue.
void Row32(const unsigned char *src, unsigned char *dst, int32_t width, const PixelTables *) {
  for (int32_t x = 0; x < width; ++x) {
    dst[3 * x] = src[4 * x + 2];
    dst[3 * x + 1] = src[4 * x + 1];
    dst[3 * x + 2] = src[4 * x];
  }
}

#if defined(__x86_64__) || defined(__i386__)
// The same with one byte shuffle per four pixels, on processors that have it
// (SSSE3); the loads and stores stay inside the row.
__attribute__((target("ssse3"))) void Row32Shuffle(const unsigned char *src, unsigned char *dst,
                                                   int32_t width, const PixelTables *tables) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
  int32_t x = 0;
  for (; x + 6 <= width; x += 4) {
    __m128i v = _mm_loadu_si128((const __m128i *)(src + 4 * x));
    _mm_storeu_si128((__m128i *)(dst + 3 * x), _mm_shuffle_epi8(v, order));
  }
  Row32(src + 4 * x, dst + 3 * x, width - x, tables);
}

RowConverter FastestRow32() { return __builtin_cpu_supports("ssse3") ? Row32Shuffle : Row32; }
#else
RowConverter FastestRow32() { return Row32; }
#endif

bool MasksAreBytes(const uint32_t masks[3]) {
  return masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
}

// The masks a pixel of this depth is read with: the file's, or the fixed 5-5-5 and 8-8-8 ones.
void PixelMasks(const DibHeader *header, uint32_t masks[3]) {
  if (header->info.compression == BI_BITFIELDS) {
    memcpy(masks, header->masks, sizeof header->masks);
  } else if (header->info.bitCount == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  }
}

RowConverter ChooseRowConverter(const DibHeader *header, PixelTables *tables) {
  uint32_t masks[3];
  PixelMasks(header, masks);
  switch (header->info.bitCount) {
    case 1: return Row1;
    case 4: return Row4;
    case 8: return Row8;
    case 24: return Row24;
    default: break;
  }
  if (header->info.bitCount == 32 && MasksAreBytes(masks)) return FastestRow32();
  for (int i = 0; i < 3; ++i) BuildChannel(masks[i], &tables->channels[i]);
  return header->info.bitCount == 16 ? Row16 : Row32Masks;
}

void ConvertRows(const DibInfoHeader &info, const unsigned char *bits, RowConverter convert,
                 const PixelTables *tables, unsigned char *rgb) {
  size_t stride = (size_t)RowStride(info), rows = (size_t)RowCount(info), rowBytes = (size_t)info.width * 3;
  for (size_t y = 0; y < rows; ++y) {
    size_t stored = info.height > 0 ? y : rows - 1 - y;  // a top-down file stores its top row first
    convert(bits + stored * stride, rgb + y * rowBytes, info.width, tables);
  }
}

// ---- run-length streams

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
    for (int i = 0; i < 16; ++i) PutPixel(patterns[code] + 3 * i, i & 1 ? odd : even);
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
      PutPixel(dst + 3 * i, palette[index]);
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

DibVerdict CheckDibBits(const DibHeader *header, size_t bitsSize, size_t *rgbBytes) {
  const DibInfoHeader &info = header->info;
  if (info.width <= 0 || info.height == 0) return dibUnsupported;
  uint64_t bytes = (uint64_t)info.width * RowCount(info) * 3;  // below 2^64: both factors below 2^32
  if (bytes > maxRgbBytes) return dibTooLarge;
  if (!FormatIsKnown(header) || bitsSize < BitsNeeded(info)) return dibUnsupported;
  *rgbBytes = (size_t)bytes;
  return dibConvertible;
}

void ConvertDibBits(const DibHeader *header, const unsigned char *bits, size_t bitsSize, unsigned char *rgb) {
  PixelTables tables;
  BuildPalette(header, tables.palette);
  const DibInfoHeader &info = header->info;
  if (info.compression == BI_RLE8 || info.compression == BI_RLE4) {
    size_t width = (size_t)info.width, rows = (size_t)RowCount(info);
    RleTarget target = {rgb, rgb + 3 * width * rows, width, rows, 0, 0, 0, 0};
    if (info.compression == BI_RLE4) DecodeRle<true>(bits, bitsSize, tables.palette, &target);
    else DecodeRle<false>(bits, bitsSize, tables.palette, &target);
    BlackenTo(&target, target.width * target.rows);
    return;
  }
  ConvertRows(info, bits, ChooseRowConverter(header, &tables), &tables, rgb);
}
