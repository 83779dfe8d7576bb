// bitmap_loader.h: reading Windows bitmap files into RgbImage records, and the loader's failure messages.
#pragma once

#include <cstddef>
#include <cstdint>

// A decoded picture: width x height pixels of red, green, blue bytes, rows of
// exactly 3 x width bytes, bottom row first. Record and pixels are two blocks
// from malloc; the receiver frees pixels first, then the record.
struct RgbImage {
  int32_t width;
  int32_t height;  // always positive: top-down files are turned bottom-up
  unsigned char *pixels;
};

// Receives the text of each failure while showLoaderErrors is on. The loader
// shows nothing itself: the program points the sink at a message box, a tool
// at standard error. Null (at start): the text is only kept in loaderMessage.
typedef void (*LoaderMessageSink)(const char *text);

extern bool showLoaderErrors;              // failures go to the sink while on; on at start
extern LoaderMessageSink loaderMessageSink;
extern char loaderMessage[256];            // text of the last load's failure, "" after a success

// Reads the bitmap file at path; null on failure (after its message has gone to the sink).
RgbImage *LoadBitmapFile(const char *path);
// The same for a file's bytes already in memory (the part after the mapping).
RgbImage *LoadBitmapBytes(const unsigned char *bytes, size_t size);
// Colour-table entries of a complete 12- or 40-byte info header.
uint16_t DibColourCount(const void *header);
