// bitmap_writer.cpp: file header, info and core headers, colour tables, padded rows and RLE8 records.
#include "bitmap_writer.h"

#include <cstdio>

#include "palette.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes &out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(Bytes &out, uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

void PadRow(Bytes &out, size_t rowStart) {
  while ((out.size() - rowStart) % 4 != 0) out.push_back(0);
}

// Pixel bits of the uncompressed forms: rows bottom first, each padded to 4 bytes.
Bytes Rows24(const Picture &picture) {
  Bytes bits;
  for (int y = picture.height - 1; y >= 0; --y) {
    size_t start = bits.size();
    for (int x = 0; x < picture.width; ++x) {
      Rgb c = PixelAt(picture, x, y);
      bits.insert(bits.end(), {c.b, c.g, c.r});
    }
    PadRow(bits, start);
  }
  return bits;
}

Bytes Rows8(const IndexedPicture &picture) {
  Bytes bits;
  for (int y = picture.height - 1; y >= 0; --y) {
    size_t start = bits.size();
    const uint8_t *row = &picture.indices[static_cast<size_t>(y) * picture.width];
    bits.insert(bits.end(), row, row + picture.width);
    PadRow(bits, start);
  }
  return bits;
}

Bytes RowsRle8(const IndexedPicture &picture) {
  Bytes bits;
  for (int y = picture.height - 1; y >= 0; --y) {
    Bytes row = EncodeRle8Row(&picture.indices[static_cast<size_t>(y) * picture.width], picture.width);
    bits.insert(bits.end(), row.begin(), row.end());
    // End of line, or end of bitmap after the top row.
    bits.insert(bits.end(), {0, static_cast<uint8_t>(y == 0 ? 1 : 0)});
  }
  return bits;
}

Bytes InfoHeader(const Picture &picture, int bitsPerPixel, uint32_t compression, size_t bitsSize, size_t colours) {
  Bytes header;
  Put32(header, 40);
  Put32(header, static_cast<uint32_t>(picture.width));
  Put32(header, static_cast<uint32_t>(picture.height));
  Put16(header, 1);
  Put16(header, static_cast<uint32_t>(bitsPerPixel));
  Put32(header, compression);
  Put32(header, static_cast<uint32_t>(bitsSize));
  Put32(header, 2835);  // 72 dots per inch, as painting programs stored it
  Put32(header, 2835);
  Put32(header, static_cast<uint32_t>(colours));
  Put32(header, 0);
  return header;
}

Bytes CoreHeader(const Picture &picture, int bitsPerPixel) {
  Bytes header;
  Put32(header, 12);
  Put16(header, static_cast<uint32_t>(picture.width));
  Put16(header, static_cast<uint32_t>(picture.height));
  Put16(header, 1);
  Put16(header, static_cast<uint32_t>(bitsPerPixel));
  return header;
}

// The info form stores blue, green, red, 0; the core form blue, green, red
// and always the full 256 entries, since it has no colours-used field.
Bytes ColourTable(const std::vector<Rgb> &palette, bool core) {
  Bytes table;
  size_t entries = core ? 256 : palette.size();
  for (size_t k = 0; k < entries; ++k) {
    Rgb c = k < palette.size() ? palette[k] : kKeyBlack;
    table.insert(table.end(), {c.b, c.g, c.r});
    if (!core) table.push_back(0);
  }
  return table;
}

Bytes Assemble(const Bytes &header, const Bytes &table, const Bytes &bits) {
  Bytes file = {'B', 'M'};
  size_t offset = 14 + header.size() + table.size();
  Put32(file, static_cast<uint32_t>(offset + bits.size()));
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(offset));
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), table.begin(), table.end());
  file.insert(file.end(), bits.begin(), bits.end());
  return file;
}

// Length of the run of equal bytes starting at `at`, at most 255.
int RunLength(const uint8_t *row, int width, int at) {
  int n = 1;
  while (at + n < width && n < 255 && row[at + n] == row[at]) ++n;
  return n;
}

}  // namespace

std::vector<uint8_t> EncodeRle8Row(const uint8_t *row, int width) {
  Bytes out;
  int x = 0;
  while (x < width) {
    int run = RunLength(row, width, x);
    if (run >= 2) {
      out.insert(out.end(), {static_cast<uint8_t>(run), row[x]});
      x += run;
      continue;
    }
    // Gather literals up to the next run worth encoding.
    int end = x + 1;
    while (end < width && end - x < 255 && RunLength(row, width, end) < 3) ++end;
    int count = end - x;
    if (count < 3) {
      // Absolute mode needs at least 3 bytes; shorter stretches go as runs of 1.
      for (int k = x; k < end; ++k) out.insert(out.end(), {1, row[k]});
    } else {
      out.insert(out.end(), {0, static_cast<uint8_t>(count)});
      out.insert(out.end(), row + x, row + end);
      if (count % 2 != 0) out.push_back(0);  // records stay 16-bit aligned
    }
    x = end;
  }
  return out;
}

std::vector<uint8_t> EncodeBitmap(const Picture &picture, BitmapForm form) {
  if (form == BitmapForm::Rgb24 || form == BitmapForm::Core24) {
    Bytes bits = Rows24(picture);
    Bytes header = form == BitmapForm::Core24 ? CoreHeader(picture, 24) : InfoHeader(picture, 24, 0, bits.size(), 0);
    return Assemble(header, {}, bits);
  }
  IndexedPicture indexed = QuantisePicture(picture, 256);
  bool core = form == BitmapForm::CoreIndexed8;
  bool rle = form == BitmapForm::Rle8;
  Bytes bits = rle ? RowsRle8(indexed) : Rows8(indexed);
  Bytes header = core ? CoreHeader(picture, 8) : InfoHeader(picture, 8, rle ? 1 : 0, bits.size(), indexed.palette.size());
  return Assemble(header, ColourTable(indexed.palette, core), bits);
}

bool WriteFileBytes(const std::string &path, const std::vector<uint8_t> &bytes) {
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
