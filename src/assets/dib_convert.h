// dib_convert.h: the layout of a DIB's info header and colour table, and the conversion of its pixel bits to packed RGB rows.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// The fields of the 40-byte info header, whichever header form the file used.
struct DibInfoHeader {
  uint32_t size;
  int32_t width;
  int32_t height;  // negative: the rows are stored top row first
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression;
  uint32_t imageSize;
  int32_t xPelsPerMeter;
  int32_t yPelsPerMeter;
  uint32_t coloursUsed;
  uint32_t coloursImportant;
};

struct DibColour {
  uint8_t blue, green, red, reserved;
};

// The working header of one load: what the conversion knows about the bits.
struct DibHeader {
  DibInfoHeader info;
  uint32_t masks[3];     // red, green, blue channel masks; read for BI_BITFIELDS only
  uint32_t colourCount;  // entries in colours
  DibColour *colours;    // the colour table, 4 bytes an entry
};

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

enum DibVerdict { dibConvertible, dibUnsupported, dibTooLarge };

// Pictures whose RGB result would be larger are refused before anything is allocated.
inline constexpr uint64_t maxRgbBytes = (uint64_t)1 << 30;

inline uint16_t ReadLe16(const unsigned char *p) { return (uint16_t)(p[0] | p[1] << 8); }
inline uint32_t ReadLe32(const unsigned char *p) {
  return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

// Colours travel packed as red | green << 8 | blue << 16: stored little-endian,
// the first three bytes of the word are the pixel as the result holds it.
static_assert(std::endian::native == std::endian::little, "packed colours assume a little-endian host");

inline void PutPackedPixel(unsigned char *dst, uint32_t packed) {
  dst[0] = (uint8_t)packed;
  dst[1] = (uint8_t)(packed >> 8);
  dst[2] = (uint8_t)(packed >> 16);
}

// Whether bits of bitsSize bytes can be converted as the header describes them:
// a picture with no pixels or a form the conversion does not know is
// dibUnsupported, one whose RGB result exceeds maxRgbBytes dibTooLarge.
// When convertible, *rgbBytes is the size of the RGB result.
DibVerdict CheckDibBits(const DibHeader *header, size_t bitsSize, size_t *rgbBytes);

// Writes |height| rows of width RGB pixels into rgb, bottom row first, reading
// nothing outside bits[0, bitsSize). Only for bits that CheckDibBits accepted.
void ConvertDibBits(const DibHeader *header, const unsigned char *bits, size_t bitsSize, unsigned char *rgb);
