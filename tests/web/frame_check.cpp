// frame_check.cpp: what the browser test asks of a screenshot of the page,
// as NAME=VALUE lines for its script.
//   frame_check compare SHOT GOLDEN   the difference from a desktop golden
//       frame: mean, largest, share of pixels off by more than 32, and
//       within=1 when it lies within the tolerance of another rasterizer
//       (support/frame_tolerance.h), the same that the page is held to
//   frame_check lines SHOT   light pixels of the overlay's two lines (rows 4-20
//       and 24-40 of the 1024x768 frame, x 0-299) and of the rows below them
//       (44-64), and lines=1 when both lines are there and nothing below
// Exit code: 0 with the values printed, 2 when a picture cannot be read.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "support/frame_tolerance.h"
#include "support/image_compare.h"

namespace {

int LightPixels(const TestImage &p, int top, int bottom) {
  int n = 0;
  for (int y = top; y < bottom && y < p.height; ++y)
    for (int x = 0; x < 300 && x < p.width; ++x) {
      const unsigned char *c = p.At(x, y);
      n += std::min({c[0], c[1], c[2]}) >= 150;
    }
  return n;
}

int Compare(const TestImage &shot, const char *goldenPath) {
  TestImage golden = LoadPng(goldenPath);
  if (golden.width == 0) return 2;
  ImageDifference d = CompareImages(shot, golden);
  std::printf("mean=%.4f\nlargest=%d\nchangedShare=%.6f\nwithin=%d\n", d.meanChannel, d.maxChannel, d.changedShare,
              WithinTolerance(d, otherRasterizer) ? 1 : 0);
  return 0;
}

// A line of 20-odd glyphs lights some 400 pixels; the frame under the lines
// (terrain, plants, sky) lights few.
int Lines(const TestImage &shot) {
  int first = LightPixels(shot, 4, 21), second = LightPixels(shot, 24, 41), below = LightPixels(shot, 44, 65);
  bool there = first > 200 && second > 200 && below * 10 < first + second;
  std::printf("first=%d\nsecond=%d\nbelow=%d\nlines=%d\n", first, second, below, there ? 1 : 0);
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  bool compare = argc == 4 && std::strcmp(argv[1], "compare") == 0;
  bool lines = argc == 3 && std::strcmp(argv[1], "lines") == 0;
  if (!compare && !lines) {
    std::fprintf(stderr, "usage: frame_check compare SHOT GOLDEN | frame_check lines SHOT\n");
    return 2;
  }
  TestImage shot = LoadPng(argv[2]);
  if (shot.width == 0) {
    std::fprintf(stderr, "frame_check: cannot read %s\n", argv[2]);
    return 2;
  }
  return compare ? Compare(shot, argv[3]) : Lines(shot);
}
