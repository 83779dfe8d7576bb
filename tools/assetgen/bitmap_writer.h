// bitmap_writer.h: encodes pictures as Windows bitmap files in the forms old painting programs wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"

enum class BitmapForm {
  Rgb24,         // 40-byte info header, 24 bits per pixel
  Core24,        // 12-byte core header, 24 bits per pixel
  Indexed8,      // 40-byte info header, 8 bits per pixel, colour table of the colours used
  CoreIndexed8,  // 12-byte core header, 8 bits per pixel, full 256-entry 3-byte colour table
  Rle8,          // 40-byte info header, 8 bits per pixel, run-length encoded
};

std::vector<uint8_t> EncodeBitmap(const Picture &picture, BitmapForm form);

// One row of 8-bit indices as RLE8 records, without the end-of-line marker.
std::vector<uint8_t> EncodeRle8Row(const uint8_t *row, int width);

// Writes the bytes to the path, making no folders; false on any failure.
bool WriteFileBytes(const std::string &path, const std::vector<uint8_t> &bytes);
