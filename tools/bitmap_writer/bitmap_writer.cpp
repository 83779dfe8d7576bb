// bitmap_writer.cpp: file and info headers, colour tables and masks written field by field, padded pixel rows, and RLE8 and RLE4 streams.
#include "bitmap_writer/bitmap_writer.h"

#include <cstdio>
#include <stdexcept>

namespace {

void Put16(Bytes *out, uint32_t value) {
  out->push_back((uint8_t)value);
  out->push_back((uint8_t)(value >> 8));
}

void Put32(Bytes *out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void WriteInfoHeader(const BitmapFields &f, Bytes *out) {
  size_t start = out->size();
  Put32(out, f.headerSize);
  if (f.headerSize == 12) {
    Put16(out, (uint32_t)f.width & 0xFFFF);
    Put16(out, (uint32_t)f.height & 0xFFFF);
    Put16(out, f.planes);
    Put16(out, f.bitCount);
    return;
  }
  Put32(out, (uint32_t)f.width);
  Put32(out, (uint32_t)f.height);
  Put16(out, f.planes);
  Put16(out, f.bitCount);
  Put32(out, f.compression);
  Put32(out, f.imageSize);
  Put32(out, (uint32_t)f.xPelsPerMeter);
  Put32(out, (uint32_t)f.yPelsPerMeter);
  Put32(out, f.coloursUsed);
  Put32(out, f.coloursImportant);
  while (out->size() - start < f.headerSize) out->push_back(0);
}

size_t InfoHeaderBytes(const BitmapFields &f) { return f.headerSize == 12 ? 12 : f.headerSize > 40 ? f.headerSize : 40; }

size_t RowBytes(int32_t width, int bitCount) { return ((size_t)width * bitCount + 31) / 32 * 4; }

int32_t StoredRow(int32_t row, int32_t height, bool topDown) { return topDown ? row : height - 1 - row; }

// ---- run-length streams

// Pixels from x on that repeat pixel x, at most 255.
size_t RunLength(const uint8_t *row, size_t width, size_t x) {
  size_t n = 1;
  while (x + n < width && n < 255 && row[x + n] == row[x]) ++n;
  return n;
}

// The code byte of a run of one index: in 4-bit streams it holds the index twice.
uint8_t RunCode(uint8_t index, bool fourBit) { return fourBit ? (uint8_t)((index & 15) * 0x11) : index; }

// An absolute run of n pixels, padded to a whole 16-bit word.
void PutAbsolute(Bytes *out, const uint8_t *row, size_t n, bool fourBit) {
  out->insert(out->end(), {0, (uint8_t)n});
  size_t bytes = fourBit ? (n + 1) / 2 : n;
  for (size_t b = 0; b < bytes; ++b) {
    if (!fourBit) {
      out->push_back(row[b]);
      continue;
    }
    uint8_t low = 2 * b + 1 < n ? row[2 * b + 1] & 15 : 0;
    out->push_back((uint8_t)((row[2 * b] & 15) << 4 | low));
  }
  if (bytes & 1) out->push_back(0);
}

void EncodeRow(Bytes *out, const uint8_t *row, size_t width, bool fourBit) {
  size_t x = 0;
  while (x < width) {
    size_t run = RunLength(row, width, x);
    if (run >= 2) {
      out->insert(out->end(), {(uint8_t)run, RunCode(row[x], fourBit)});
      x += run;
      continue;
    }
    // The pixels up to the next run worth encoding.
    size_t end = x + 1;
    while (end < width && end - x < 255 && RunLength(row, width, end) < 3) ++end;
    if (end - x >= 3) {
      PutAbsolute(out, row + x, end - x, fourBit);
    } else {
      // An absolute run needs at least 3 pixels; shorter stretches go as runs of one.
      for (size_t k = x; k < end; ++k) out->insert(out->end(), {1, RunCode(row[k], fourBit)});
    }
    x = end;
  }
}

Bytes EncodeRle(const IndexedPicture &p, bool fourBit) {
  Bytes out;
  for (int32_t stored = 0; stored < p.height; ++stored) {
    EncodeRow(&out, &p.indices[(size_t)(p.height - 1 - stored) * p.width], (size_t)p.width, fourBit);
    out.insert(out.end(), {0, (uint8_t)(stored + 1 < p.height ? 0 : 1)});  // end of line, or of the bitmap
  }
  return out;
}

}  // namespace

size_t DefaultBitsOffset(const BitmapFields &f) {
  size_t entry = f.headerSize == 12 ? 3 : 4;
  return (f.fileHeader ? 14 : 0) + InfoHeaderBytes(f) + 4 * f.masks.size() + entry * f.colours.size();
}

Bytes WriteBitmap(const BitmapFields &f) {
  Bytes out;
  if (f.fileHeader) {
    out = {'B', 'M'};
    Put32(&out, (uint32_t)(DefaultBitsOffset(f) + f.bits.size()));
    Put32(&out, 0);
    Put32(&out, f.bitsOffset ? *f.bitsOffset : (uint32_t)DefaultBitsOffset(f));
  }
  WriteInfoHeader(f, &out);
  for (uint32_t mask : f.masks) Put32(&out, mask);
  for (const Rgb &c : f.colours) {
    out.insert(out.end(), {c.blue, c.green, c.red});
    if (f.headerSize != 12) out.push_back(f.colourReserved);
  }
  out.insert(out.end(), f.bits.begin(), f.bits.end());
  return out;
}

Bytes PackIndexRows(const IndexedPicture &p, int bitCount, bool topDown) {
  if (bitCount != 1 && bitCount != 4 && bitCount != 8) throw std::invalid_argument("index depth");
  size_t stride = RowBytes(p.width, bitCount);
  Bytes out(stride * p.height, 0);
  for (int32_t stored = 0; stored < p.height; ++stored) {
    int32_t row = StoredRow(stored, p.height, topDown);
    for (int32_t x = 0; x < p.width; ++x) {
      size_t bit = (size_t)x * bitCount;
      uint8_t index = p.indices[(size_t)row * p.width + x] & ((1 << bitCount) - 1);
      out[stored * stride + bit / 8] |= (uint8_t)(index << (8 - bitCount - bit % 8));
    }
  }
  return out;
}

Bytes PackWordRows(const std::vector<uint32_t> &values, int32_t width, int32_t height, int bitCount, bool topDown) {
  if (bitCount != 16 && bitCount != 32) throw std::invalid_argument("word depth");
  size_t stride = RowBytes(width, bitCount);
  Bytes out(stride * height, 0);
  for (int32_t stored = 0; stored < height; ++stored) {
    int32_t row = StoredRow(stored, height, topDown);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t v = values[(size_t)row * width + x];
      for (int b = 0; b < bitCount / 8; ++b) out[stored * stride + x * (bitCount / 8) + b] = (uint8_t)(v >> (8 * b));
    }
  }
  return out;
}

Bytes PackRgb24Rows(const RgbPicture &p, bool topDown) {
  size_t stride = RowBytes(p.width, 24);
  Bytes out(stride * p.height, 0);
  for (int32_t stored = 0; stored < p.height; ++stored) {
    int32_t row = StoredRow(stored, p.height, topDown);
    for (int32_t x = 0; x < p.width; ++x) {
      const Rgb &c = p.pixels[(size_t)row * p.width + x];
      uint8_t *dst = &out[stored * stride + 3 * x];
      dst[0] = c.blue, dst[1] = c.green, dst[2] = c.red;
    }
  }
  return out;
}

std::vector<uint32_t> Rgb32Values(const RgbPicture &p, uint8_t fourth) {
  std::vector<uint32_t> values;
  for (const Rgb &c : p.pixels) values.push_back((uint32_t)fourth << 24 | c.red << 16 | c.green << 8 | c.blue);
  return values;
}

Bytes EncodeRle8(const IndexedPicture &picture) { return EncodeRle(picture, false); }
Bytes EncodeRle4(const IndexedPicture &picture) { return EncodeRle(picture, true); }

BitmapFields IndexedBitmapFields(const IndexedPicture &picture, const std::vector<Rgb> &colours, int bitCount) {
  BitmapFields f;
  f.width = picture.width, f.height = picture.height, f.bitCount = (uint16_t)bitCount;
  f.colours = colours;
  if (colours.size() != ((size_t)1 << bitCount)) f.coloursUsed = (uint32_t)colours.size();
  f.bits = PackIndexRows(picture, bitCount);
  return f;
}

BitmapFields Rgb24BitmapFields(const RgbPicture &picture) {
  BitmapFields f;
  f.width = picture.width, f.height = picture.height, f.bitCount = 24;
  f.bits = PackRgb24Rows(picture);
  return f;
}

bool WriteFileBytes(const std::string &path, const Bytes &bytes) {
  FILE *file = fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  // An empty vector may have no block at all, and fwrite takes none.
  bool written = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && written;
}
