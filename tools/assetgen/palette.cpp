// palette.cpp: median-cut colour reduction over the picture's colour histogram.
#include "palette.h"

#include <algorithm>
#include <map>

namespace {

struct ColourCount {
  uint32_t packed;  // 0xRRGGBB
  uint32_t count;
};

int Channel(uint32_t packed, int channel) {
  return (int)((packed >> (16 - 8 * channel)) & 0xff);
}

uint32_t Pack(Rgb c) {
  return ((uint32_t)c.red << 16) | ((uint32_t)c.green << 8) | c.blue;
}

// A box of the histogram, [begin, end) of the colour list, with its widest
// channel, that channel's spread and the number of pixels it stands for.
struct Box {
  size_t begin, end;
  int channel, range;
  uint64_t pixels;
};

Box MeasureBox(const std::vector<ColourCount> &colours, size_t begin, size_t end) {
  Box box = {begin, end, 0, -1, 0};
  for (size_t k = begin; k < end; ++k) box.pixels += colours[k].count;
  for (int channel = 0; channel < 3; ++channel) {
    int low = 255, high = 0;
    for (size_t k = begin; k < end; ++k) {
      low = std::min(low, Channel(colours[k].packed, channel));
      high = std::max(high, Channel(colours[k].packed, channel));
    }
    if (high - low > box.range) box.range = high - low, box.channel = channel;
  }
  return box;
}

// Splits the box along its widest channel at the pixel-weighted median.
bool SplitBox(std::vector<ColourCount> &colours, std::vector<Box> &boxes, size_t which) {
  Box box = boxes[which];
  if (box.end - box.begin < 2) return false;
  int channel = box.channel;
  std::sort(colours.begin() + box.begin, colours.begin() + box.end, [channel](ColourCount a, ColourCount b) {
    int ca = Channel(a.packed, channel), cb = Channel(b.packed, channel);
    return ca != cb ? ca < cb : a.packed < b.packed;
  });
  uint64_t total = box.pixels, running = 0;
  size_t cut = box.begin + 1;
  for (size_t k = box.begin; k < box.end - 1; ++k) {
    running += colours[k].count;
    cut = k + 1;
    if (running * 2 >= total) break;
  }
  boxes[which] = MeasureBox(colours, box.begin, cut);
  boxes.push_back(MeasureBox(colours, cut, box.end));
  return true;
}

// The box whose colours spread furthest, weighted by how many pixels it holds.
size_t BoxToSplit(const std::vector<Box> &boxes) {
  size_t best = boxes.size();
  double bestScore = 0.0;
  for (size_t k = 0; k < boxes.size(); ++k) {
    if (boxes[k].end - boxes[k].begin < 2) continue;
    double range = boxes[k].range;
    double score = range * range * (double)boxes[k].pixels;
    if (best == boxes.size() || score > bestScore) best = k, bestScore = score;
  }
  return best;
}

Rgb BoxAverage(const std::vector<ColourCount> &colours, Box box) {
  uint64_t sum[3] = {0, 0, 0}, total = 0;
  for (size_t k = box.begin; k < box.end; ++k) {
    for (int c = 0; c < 3; ++c) sum[c] += (uint64_t)Channel(colours[k].packed, c) * colours[k].count;
    total += colours[k].count;
  }
  Colour mean = {sum[0] / (255.0 * total), sum[1] / (255.0 * total), sum[2] / (255.0 * total)};
  return ToOpaqueRgb(mean);
}

std::vector<Rgb> OpaquePalette(std::vector<ColourCount> colours, int entries) {
  std::vector<Box> boxes = {MeasureBox(colours, 0, colours.size())};
  while ((int)boxes.size() < entries) {
    size_t which = BoxToSplit(boxes);
    if (which == boxes.size() || !SplitBox(colours, boxes, which)) break;
  }
  std::vector<Rgb> palette;
  for (Box box : boxes) palette.push_back(BoxAverage(colours, box));
  return palette;
}

uint8_t NearestEntry(const std::vector<Rgb> &palette, size_t first, Rgb c) {
  size_t best = first;
  int bestDistance = 1 << 30;
  for (size_t k = first; k < palette.size(); ++k) {
    int dr = palette[k].red - c.red, dg = palette[k].green - c.green, db = palette[k].blue - c.blue;
    int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (distance < bestDistance) best = k, bestDistance = distance;
  }
  return (uint8_t)best;
}

}  // namespace

PalettePicture QuantisePicture(const RgbPicture &picture, int maxColours) {
  std::map<uint32_t, uint32_t> histogram;
  bool hasKey = false;
  for (Rgb pixel : picture.pixels) {
    if (IsKeyBlack(pixel)) hasKey = true;
    else ++histogram[Pack(pixel)];
  }
  std::vector<ColourCount> colours;
  for (auto [packed, count] : histogram) colours.push_back(ColourCount{packed, count});

  PalettePicture out = {{picture.width, picture.height, {}}, {}};
  if (hasKey) out.palette.push_back(keyBlack);
  size_t first = out.palette.size();
  if (!colours.empty()) {
    std::vector<Rgb> opaque = OpaquePalette(colours, maxColours - (int)first);
    out.palette.insert(out.palette.end(), opaque.begin(), opaque.end());
  }
  std::map<uint32_t, uint8_t> lookup;
  for (auto [packed, count] : histogram) {
    Rgb c = {(uint8_t)(packed >> 16), (uint8_t)(packed >> 8), (uint8_t)packed};
    lookup[packed] = NearestEntry(out.palette, first, c);
  }
  out.indexed.indices.reserve(picture.pixels.size());
  for (Rgb pixel : picture.pixels) out.indexed.indices.push_back(IsKeyBlack(pixel) ? 0 : lookup[Pack(pixel)]);
  return out;
}
