// pattern_pictures.h: deterministic pictures with varied colours and runs of repeated pixels, and what the loader should make of them.
#pragma once

#include <cstdint>
#include <vector>

#include "bitmap_writer/bitmap_writer.h"

RgbPicture PatternPicture(int32_t width, int32_t height, uint32_t seed);
// Indices below levels, in runs of 1 to longestRun equal pixels.
IndexedPicture PatternIndices(int32_t width, int32_t height, int levels, uint32_t seed, int longestRun = 1);
std::vector<Rgb> PatternColours(int count, uint32_t seed);
// Each index replaced by its table entry; black past the end of the table.
RgbPicture ApplyColourTable(const IndexedPicture &picture, const std::vector<Rgb> &colours);
// What the loader returns for the picture: red, green, blue, bottom row first.
Bytes BottomUpRgb(const RgbPicture &picture);
