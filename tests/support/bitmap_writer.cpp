// bitmap_writer.cpp: bitmap files written field by field, and the pixel encodings they carry.
#include "bitmap_writer.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

static void Put16(Bytes *out, uint32_t value) {
  out->push_back(uint8_t(value));
  out->push_back(uint8_t(value >> 8));
}

static void Put32(Bytes *out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

static void WriteInfoHeader(const BitmapFields &f, Bytes *out) {
  size_t start = out->size();
  Put32(out, f.headerSize);
  if (f.headerSize == 12) {
    Put16(out, uint32_t(f.width) & 0xFFFF);
    Put16(out, uint32_t(f.height) & 0xFFFF);
    Put16(out, f.planes);
    Put16(out, f.bitCount);
    return;
  }
  Put32(out, uint32_t(f.width));
  Put32(out, uint32_t(f.height));
  Put16(out, f.planes);
  Put16(out, f.bitCount);
  Put32(out, f.compression);
  Put32(out, f.imageSize);
  Put32(out, uint32_t(f.xPelsPerMeter));
  Put32(out, uint32_t(f.yPelsPerMeter));
  Put32(out, f.coloursUsed);
  Put32(out, f.coloursImportant);
  while (out->size() - start < f.headerSize) out->push_back(0);
}

static size_t InfoHeaderBytes(const BitmapFields &f) {
  return f.headerSize == 12 ? 12 : f.headerSize > 40 ? f.headerSize : 40;
}

size_t DefaultBitsOffset(const BitmapFields &f) {
  size_t entry = f.headerSize == 12 ? 3 : 4;
  return (f.fileHeader ? 14 : 0) + InfoHeaderBytes(f) + 4 * f.masks.size() + entry * f.colours.size();
}

Bytes WriteBitmap(const BitmapFields &f) {
  Bytes out;
  if (f.fileHeader) {
    out = {'B', 'M'};
    Put32(&out, uint32_t(DefaultBitsOffset(f) + f.bits.size()));
    Put32(&out, 0);
    Put32(&out, f.bitsOffset ? *f.bitsOffset : uint32_t(DefaultBitsOffset(f)));
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

// ---- pixel bits

static size_t RowBytes(int32_t width, int bitCount) { return (size_t(width) * bitCount + 31) / 32 * 4; }

static int32_t StoredRow(int32_t row, int32_t height, bool topDown) { return topDown ? row : height - 1 - row; }

Bytes PackIndexRows(const IndexedPicture &p, int bitCount, bool topDown) {
  if (bitCount != 1 && bitCount != 4 && bitCount != 8) throw std::invalid_argument("index depth");
  size_t stride = RowBytes(p.width, bitCount);
  Bytes out(stride * p.height, 0);
  for (int32_t stored = 0; stored < p.height; ++stored) {
    int32_t row = StoredRow(stored, p.height, topDown);
    for (int32_t x = 0; x < p.width; ++x) {
      size_t bit = size_t(x) * bitCount;
      uint8_t index = p.indices[size_t(row) * p.width + x] & ((1 << bitCount) - 1);
      out[stored * stride + bit / 8] |= uint8_t(index << (8 - bitCount - bit % 8));
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
      uint32_t v = values[size_t(row) * width + x];
      for (int b = 0; b < bitCount / 8; ++b) out[stored * stride + x * (bitCount / 8) + b] = uint8_t(v >> (8 * b));
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
      const Rgb &c = p.pixels[size_t(row) * p.width + x];
      uint8_t *dst = &out[stored * stride + 3 * x];
      dst[0] = c.blue, dst[1] = c.green, dst[2] = c.red;
    }
  }
  return out;
}

std::vector<uint32_t> Rgb32Values(const RgbPicture &p, uint8_t fourth) {
  std::vector<uint32_t> values;
  for (const Rgb &c : p.pixels) values.push_back(uint32_t(fourth) << 24 | c.red << 16 | c.green << 8 | c.blue);
  return values;
}

// ---- run-length streams

// Pixels from i on that repeat pixel i (at most 255).
static size_t RunLength(const uint8_t *row, size_t i, size_t width) {
  size_t n = 1;
  while (i + n < width && n < 255 && row[i + n] == row[i]) ++n;
  return n;
}

// A stretch of pixels for an absolute run: up to the next run of three or more, at most 255.
static size_t LiteralLength(const uint8_t *row, size_t i, size_t width) {
  size_t n = 0;
  while (i + n < width && n < 255 && RunLength(row, i + n, width) < 3) ++n;
  return n;
}

static void PutAbsolute(Bytes *out, const uint8_t *row, size_t n, bool fourBit) {
  out->insert(out->end(), {0, uint8_t(n)});
  size_t bytes = fourBit ? (n + 1) / 2 : n;
  for (size_t b = 0; b < bytes; ++b) {
    if (!fourBit) {
      out->push_back(row[b]);
      continue;
    }
    uint8_t low = 2 * b + 1 < n ? row[2 * b + 1] & 15 : 0;
    out->push_back(uint8_t((row[2 * b] & 15) << 4 | low));
  }
  if (bytes & 1) out->push_back(0);
}

static void EncodeRow(Bytes *out, const uint8_t *row, size_t width, bool fourBit) {
  size_t i = 0;
  while (i < width) {
    size_t literal = LiteralLength(row, i, width);
    if (literal >= 3) {
      PutAbsolute(out, row + i, literal, fourBit);
      i += literal;
      continue;
    }
    size_t run = RunLength(row, i, width);
    uint8_t code = fourBit ? uint8_t((row[i] & 15) * 0x11) : row[i];
    out->insert(out->end(), {uint8_t(run), code});
    i += run;
  }
}

static Bytes EncodeRle(const IndexedPicture &p, bool fourBit) {
  Bytes out;
  for (int32_t stored = 0; stored < p.height; ++stored) {
    EncodeRow(&out, &p.indices[size_t(p.height - 1 - stored) * p.width], size_t(p.width), fourBit);
    out.insert(out.end(), {0, uint8_t(stored + 1 < p.height ? 0 : 1)});
  }
  return out;
}

Bytes EncodeRle8(const IndexedPicture &picture) { return EncodeRle(picture, false); }
Bytes EncodeRle4(const IndexedPicture &picture) { return EncodeRle(picture, true); }

// ---- pictures and expectations

static uint32_t NextRandom(uint32_t *state) {
  *state = *state * 1664525u + 1013904223u;
  return *state >> 8;
}

RgbPicture PatternPicture(int32_t width, int32_t height, uint32_t seed) {
  RgbPicture p{width, height, {}};
  uint32_t state = seed;
  for (size_t i = 0; i < size_t(width) * height; ++i) {
    uint32_t r = NextRandom(&state);
    p.pixels.push_back(Rgb{uint8_t(r), uint8_t(r >> 8), uint8_t(r >> 16)});
  }
  return p;
}

IndexedPicture PatternIndices(int32_t width, int32_t height, int levels, uint32_t seed, int longestRun) {
  IndexedPicture p{width, height, {}};
  uint32_t state = seed;
  while (p.indices.size() < size_t(width) * height) {
    uint8_t index = uint8_t(NextRandom(&state) % levels);
    size_t run = 1 + NextRandom(&state) % longestRun;
    for (size_t k = 0; k < run && p.indices.size() < size_t(width) * height; ++k) p.indices.push_back(index);
  }
  return p;
}

std::vector<Rgb> PatternColours(int count, uint32_t seed) {
  return PatternPicture(count, 1, seed).pixels;
}

RgbPicture ApplyColourTable(const IndexedPicture &p, const std::vector<Rgb> &colours) {
  RgbPicture out{p.width, p.height, {}};
  for (uint8_t index : p.indices) out.pixels.push_back(index < colours.size() ? colours[index] : Rgb{0, 0, 0});
  return out;
}

Bytes BottomUpRgb(const RgbPicture &p) {
  Bytes out;
  for (int32_t row = p.height - 1; row >= 0; --row)
    for (int32_t x = 0; x < p.width; ++x) {
      const Rgb &c = p.pixels[size_t(row) * p.width + x];
      out.insert(out.end(), {c.red, c.green, c.blue});
    }
  return out;
}

BitmapFields IndexedBitmapFields(const IndexedPicture &picture, const std::vector<Rgb> &colours, int bitCount) {
  BitmapFields f;
  f.width = picture.width, f.height = picture.height, f.bitCount = uint16_t(bitCount);
  f.colours = colours;
  if (colours.size() != (size_t(1) << bitCount)) f.coloursUsed = uint32_t(colours.size());
  f.bits = PackIndexRows(picture, bitCount);
  return f;
}

BitmapFields Rgb24BitmapFields(const RgbPicture &picture) {
  BitmapFields f;
  f.width = picture.width, f.height = picture.height, f.bitCount = 24;
  f.bits = PackRgb24Rows(picture);
  return f;
}

std::string SaveTempFile(const Bytes &bytes) {
  const char *folder = getenv("TMPDIR");
  std::string path = std::string(folder && *folder ? folder : "/tmp") + "/talmir-bmp-XXXXXX";
  int fd = mkstemp(path.data());
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += size_t(n);
  }
  close(fd);
  if (done != bytes.size()) throw std::runtime_error("cannot write " + path);
  return path;
}
