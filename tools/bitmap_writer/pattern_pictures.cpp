// pattern_pictures.cpp: pictures from a small linear congruential sequence, so that every run makes the same files.
#include "bitmap_writer/pattern_pictures.h"

namespace {

uint32_t NextRandom(uint32_t *state) {
  *state = *state * 1664525u + 1013904223u;
  return *state >> 8;
}

}  // namespace

RgbPicture PatternPicture(int32_t width, int32_t height, uint32_t seed) {
  RgbPicture p{width, height, {}};
  uint32_t state = seed;
  for (size_t i = 0; i < (size_t)width * height; ++i) {
    uint32_t r = NextRandom(&state);
    p.pixels.push_back(Rgb{(uint8_t)r, (uint8_t)(r >> 8), (uint8_t)(r >> 16)});
  }
  return p;
}

IndexedPicture PatternIndices(int32_t width, int32_t height, int levels, uint32_t seed, int longestRun) {
  IndexedPicture p{width, height, {}};
  uint32_t state = seed;
  while (p.indices.size() < (size_t)width * height) {
    uint8_t index = (uint8_t)(NextRandom(&state) % levels);
    size_t run = 1 + NextRandom(&state) % longestRun;
    for (size_t k = 0; k < run && p.indices.size() < (size_t)width * height; ++k) p.indices.push_back(index);
  }
  return p;
}

std::vector<Rgb> PatternColours(int count, uint32_t seed) { return PatternPicture(count, 1, seed).pixels; }

RgbPicture ApplyColourTable(const IndexedPicture &p, const std::vector<Rgb> &colours) {
  RgbPicture out{p.width, p.height, {}};
  for (uint8_t index : p.indices) out.pixels.push_back(index < colours.size() ? colours[index] : Rgb{0, 0, 0});
  return out;
}

Bytes BottomUpRgb(const RgbPicture &p) {
  Bytes out;
  for (int32_t row = p.height - 1; row >= 0; --row)
    for (int32_t x = 0; x < p.width; ++x) {
      const Rgb &c = p.pixels[(size_t)row * p.width + x];
      out.insert(out.end(), {c.red, c.green, c.blue});
    }
  return out;
}
