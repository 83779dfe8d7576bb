// bitmap_forms.h: the Windows bitmap forms old painting programs wrote, made from a picture with the bitmap writer.
#pragma once

#include "picture.h"

enum class BitmapForm {
  Rgb24,         // 40-byte info header, 24 bits per pixel
  Core24,        // 12-byte core header, 24 bits per pixel
  Indexed8,      // 40-byte info header, 8 bits per pixel, colour table of the colours used
  CoreIndexed8,  // 12-byte core header, 8 bits per pixel, full 256-entry 3-byte colour table
  Rle8,          // 40-byte info header, 8 bits per pixel, run-length encoded
};

Bytes EncodeBitmap(const RgbPicture &picture, BitmapForm form);
