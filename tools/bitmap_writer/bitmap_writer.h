// bitmap_writer.h: writes Windows bitmap files field by field, with their pixel encodings, for the generator, the tests, the fuzz seeds and the benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

struct Rgb {
  uint8_t red, green, blue;
  bool operator==(const Rgb &) const = default;
};

// A picture as a person reads it: rows from the top, pixels from the left.
struct RgbPicture {
  int32_t width, height;
  std::vector<Rgb> pixels;
};

struct IndexedPicture {
  int32_t width, height;
  std::vector<uint8_t> indices;  // rows from the top, like RgbPicture
};

// Every field of a bitmap file as it will be written. The defaults describe a
// 40-byte-header file with a file header; width, height and bits are the caller's.
struct BitmapFields {
  bool fileHeader = true;  // false: a packed DIB that starts with the info header
  uint32_t headerSize = 40;  // 12 writes the core form; any other value the 40-byte fields, zero-padded to it
  int32_t width = 0, height = 0;  // the core form keeps the low 16 bits
  uint16_t planes = 1, bitCount = 24;
  uint32_t compression = 0, imageSize = 0;
  int32_t xPelsPerMeter = 2835, yPelsPerMeter = 2835;  // 72 dots per inch, as painting programs stored it
  uint32_t coloursUsed = 0, coloursImportant = 0;
  std::vector<uint32_t> masks;          // written right behind the info header
  std::vector<Rgb> colours;             // the table: 3 bytes an entry in the core form, else 4
  uint8_t colourReserved = 0;           // the fourth byte of each 4-byte entry
  std::optional<uint32_t> bitsOffset;   // the file header's field; default: right behind the table
  Bytes bits;                           // the pixel bits exactly as stored
};

Bytes WriteBitmap(const BitmapFields &fields);
// Where the bits begin in what WriteBitmap writes when bitsOffset is not given.
size_t DefaultBitsOffset(const BitmapFields &fields);

// ---- pixel bits

// Rows of 1-, 4- or 8-bit indices, most significant bits first, each row padded
// to 4 bytes; stored bottom row first unless topDown.
Bytes PackIndexRows(const IndexedPicture &picture, int bitCount, bool topDown = false);
// Rows of 16- or 32-bit pixel values (little-endian), padded to 4 bytes.
Bytes PackWordRows(const std::vector<uint32_t> &values, int32_t width, int32_t height, int bitCount,
                   bool topDown = false);
// Rows of blue, green, red, padded to 4 bytes.
Bytes PackRgb24Rows(const RgbPicture &picture, bool topDown = false);
// 32-bit pixels blue, green, red, then the given fourth byte.
std::vector<uint32_t> Rgb32Values(const RgbPicture &picture, uint8_t fourth);

// Run-length streams of a picture, bottom row first: runs of two or more
// equal pixels as encoded runs, stretches of three or more others as absolute
// runs (shorter ones as runs of one), an end of line after each row and an end
// of bitmap after the last. In 4-bit streams a run repeats one index.
Bytes EncodeRle8(const IndexedPicture &picture);
Bytes EncodeRle4(const IndexedPicture &picture);

// ---- the common forms, from a picture

// Indices with a table; coloursUsed is set when the table is not full.
BitmapFields IndexedBitmapFields(const IndexedPicture &picture, const std::vector<Rgb> &colours, int bitCount);
BitmapFields Rgb24BitmapFields(const RgbPicture &picture);

// Writes the bytes to the path, making no folders; false on any failure.
bool WriteFileBytes(const std::string &path, const Bytes &bytes);
