// dib_rle.h: a DIB's run-length stream (BI_RLE8 or BI_RLE4) decoded into packed RGB rows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/dib_convert.h"

// Draws the stream bits[0, bitsSize) into rgb, width x height pixels of three
// bytes, bottom row first, as the header describes the picture: index i has
// the packed colour palette[i] (256 entries, whatever the depth). Pixels the
// stream skips or never reaches are black. Writes every byte of the picture
// and nothing past it, and reads nothing outside the stream. Only for headers
// that CheckDibBits accepted.
void DecodeDibRle(const DibHeader *header, const uint32_t palette[256], const unsigned char *bits,
                  size_t bitsSize, unsigned char *rgb);
