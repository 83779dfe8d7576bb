// bitmap_loader.cpp: maps a bitmap file, reads its headers and colour table in place, and has the pixels converted.
#include "assets/bitmap_loader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/dib_convert.h"
#include "platform/file_view.h"

bool showLoaderErrors = true;  // on at start; a caller that wants no report turns it off
LoaderMessageSink loaderMessageSink;
char loaderMessage[256];  // the last load's failure text

namespace {

constexpr char unknownFormat[] = "Unknown DIB file format.";
constexpr char conversionError[] = "Image file conversion error.";
constexpr char outOfMemory[] = "Out of memory.";

void ShowLoaderMessage() {
  if (showLoaderErrors && loaderMessageSink != nullptr) loaderMessageSink(loaderMessage);
}

void ReportFailure(const char *text) {
  snprintf(loaderMessage, sizeof loaderMessage, "%s", text);
  ShowLoaderMessage();
}

// Where the parts of the file lie; offsets from its first byte.
struct BitmapLayout {
  size_t header;      // the info header
  uint32_t headerSize;
  size_t bits;        // the pixel bits; may lie outside the file
  bool hasFileHeader;
};

// Finds a complete 12- or 40-byte info header; null or the failure text.
const char *FindInfoHeader(const unsigned char *bytes, size_t size, BitmapLayout *layout) {
  layout->hasFileHeader = size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
  layout->header = layout->hasFileHeader ? 14 : 0;
  if (size < layout->header + 4) return unknownFormat;
  if (layout->hasFileHeader) layout->bits = ReadLe32(bytes + 10);
  layout->headerSize = ReadLe32(bytes + layout->header);
  if (layout->headerSize != 12 && layout->headerSize != 40) return unknownFormat;
  if (size - layout->header < layout->headerSize) return unknownFormat;
  return nullptr;
}

void ReadCoreHeader(const unsigned char *h, uint16_t count, DibInfoHeader *info) {
  memset(info, 0, sizeof *info);
  info->size = 40;
  info->width = ReadLe16(h + 4);
  info->height = ReadLe16(h + 6);
  info->planes = ReadLe16(h + 8);
  info->bitCount = ReadLe16(h + 10);
  info->coloursUsed = info->coloursImportant = count;
}

void ReadInfoHeader(const unsigned char *h, DibInfoHeader *info) {
  info->size = ReadLe32(h);
  info->width = (int32_t)ReadLe32(h + 4);
  info->height = (int32_t)ReadLe32(h + 8);
  info->planes = ReadLe16(h + 12);
  info->bitCount = ReadLe16(h + 14);
  info->compression = ReadLe32(h + 16);
  info->imageSize = ReadLe32(h + 20);
  info->xPelsPerMeter = (int32_t)ReadLe32(h + 24);
  info->yPelsPerMeter = (int32_t)ReadLe32(h + 28);
  info->coloursUsed = ReadLe32(h + 32);
  info->coloursImportant = ReadLe32(h + 36);
}

// Reads the masks and the colour table behind the info header into the
// working header, and finds a packed DIB's bits behind them.
const char *ReadTables(const unsigned char *bytes, size_t size, BitmapLayout *layout, DibHeader *working) {
  size_t at = layout->header + layout->headerSize;
  if (working->info.compression == BI_BITFIELDS) {
    if (size - at < sizeof working->masks) return conversionError;
    for (int i = 0; i < 3; ++i) working->masks[i] = ReadLe32(bytes + at + 4 * i);
    at += sizeof working->masks;
  }
  size_t entrySize = layout->headerSize == 12 ? 3 : 4;
  if ((size - at) / entrySize < working->colourCount) return conversionError;
  for (uint32_t i = 0; i < working->colourCount; ++i) {
    const unsigned char *entry = bytes + at + entrySize * i;
    working->colours[i] = DibColour{entry[0], entry[1], entry[2], 0};
    if (entrySize == 4) working->colours[i].reserved = entry[3];
  }
  if (!layout->hasFileHeader) layout->bits = at + entrySize * working->colourCount;
  return nullptr;
}

// The working header block: the record, then room for count + 1 colour entries.
const char *BuildWorkingHeader(const unsigned char *bytes, size_t size, BitmapLayout *layout,
                               DibHeader **working) {
  const char *failure = FindInfoHeader(bytes, size, layout);
  if (failure != nullptr) return failure;
  const unsigned char *h = bytes + layout->header;
  uint16_t count = DibColourCount(h);
  DibHeader *header = (DibHeader *)calloc(1, sizeof(DibHeader) + (count + 1u) * sizeof(DibColour));
  if (header == nullptr) return outOfMemory;
  *working = header;
  header->colourCount = count;
  header->colours = (DibColour *)(header + 1);
  if (layout->headerSize == 12) ReadCoreHeader(h, count, &header->info);
  else ReadInfoHeader(h, &header->info);
  return ReadTables(bytes, size, layout, header);
}

// Converts the bits into a new image; null or the failure text.
const char *DecodePicture(const DibHeader *working, const unsigned char *bytes, size_t size,
                          const BitmapLayout &layout, RgbImage **image) {
  size_t bitsSize = layout.bits < size ? size - layout.bits : 0;  // no bits at all: outside the file
  size_t rgbBytes = 0;
  switch (CheckDibBits(working, bitsSize, &rgbBytes)) {
    case dibTooLarge: return outOfMemory;
    case dibUnsupported: return conversionError;
    case dibConvertible: break;
  }
  unsigned char *pixels = (unsigned char *)malloc(rgbBytes);
  if (pixels == nullptr) return outOfMemory;
  ConvertDibBits(working, bytes + layout.bits, bitsSize, pixels);
  RgbImage *result = (RgbImage *)malloc(sizeof(RgbImage));
  if (result == nullptr) {
    free(pixels);
    return outOfMemory;
  }
  result->width = working->info.width;
  result->height = working->info.height < 0 ? -working->info.height : working->info.height;
  result->pixels = pixels;
  *image = result;
  return nullptr;
}

}  // namespace

uint16_t DibColourCount(const void *header) {
  const unsigned char *h = (const unsigned char *)header;
  unsigned bits;
  if (ReadLe32(h) == 12) {
    bits = ReadLe16(h + 10);
  } else {
    uint32_t used = ReadLe32(h + 32);
    if (used != 0) return (uint16_t)used;
    bits = ReadLe16(h + 14);
  }
  return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
}

RgbImage *LoadBitmapBytes(const unsigned char *bytes, size_t size) {
  loaderMessage[0] = '\0';
  BitmapLayout layout = {};
  DibHeader *working = nullptr;
  RgbImage *image = nullptr;
  const char *failure = BuildWorkingHeader(bytes, size, &layout, &working);
  if (failure == nullptr) failure = DecodePicture(working, bytes, size, layout, &image);
  if (failure != nullptr) ReportFailure(failure);  // shown while the file is still mapped
  free(working);
  return image;
}

RgbImage *LoadBitmapFile(const char *path) {
  FileView view;
  if (!MapFileView(path, &view)) {
    // snprintf cuts a long path so that the text fits its buffer.
    snprintf(loaderMessage, sizeof loaderMessage, "Failed to open DIB file %s.\n", path ? path : "");
    ShowLoaderMessage();
    return nullptr;
  }
  RgbImage *image = LoadBitmapBytes(view.bytes, view.size);
  UnmapFileView(&view);
  return image;
}
