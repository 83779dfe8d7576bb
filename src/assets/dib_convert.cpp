// dib_convert.cpp: DIB pixel bits of every accepted depth to packed RGB rows, in one pass; run-length
// streams go to their own decoder.
#include "assets/dib_convert.h"

#include <bit>
#include <cstring>

#include "assets/dib_rle.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

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
  for (; x < width; ++x, dst += 3) PutPackedPixel(dst, colourAt(x));
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
    DecodeDibRle(header, tables.palette, bits, bitsSize, rgb);
    return;
  }
  ConvertRows(info, bits, ChooseRowConverter(header, &tables), &tables, rgb);
}
