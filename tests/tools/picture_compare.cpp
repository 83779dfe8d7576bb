// picture_compare.cpp: how alike two pictures are, and whether a screenshot
// shows the overlay, for the end-to-end, Wine and browser tests, as
// NAME=VALUE lines for their scripts. The tolerances are those of
// support/frame_tolerance.h.
//
//   picture_compare frame TOLERANCE A.png B.png [DIFFERENCE.png]
//       mean, largest and changedShare (of the pixels off by more than 32),
//       the tolerance's limits, and within=1 when the pictures lie within
//       it. TOLERANCE: driver (a golden frame drawn by llvmpipe again),
//       subset (by the GL subset on llvmpipe) or browser (by the page in
//       Chromium). Outside it, DIFFERENCE.png gets a picture of where they
//       differ, for a person to look at.
//   picture_compare blocks A.png B.png
//       width and height of A, the mean block difference, and within=1 when
//       it lies within the tolerance of F12's picture against the screen.
//   picture_compare lines SHOT.png
//       light pixels of the overlay's two lines (first, second) and of the
//       rows below them (below), and lines=1 when both lines are there and
//       nothing below.
// sameSize=0 (and within=0) when the two pictures differ in size.
// Exit code: 0 with the values printed; 2 for wrong arguments or a picture
// that cannot be read.
#include <cstdio>
#include <cstring>

#include "support/frame_tolerance.h"
#include "support/image_compare.h"
#include "tools/overlay_text.h"

namespace {

const FrameTolerance *FrameToleranceNamed(const char *name) {
  if (std::strcmp(name, "driver") == 0) return &sameDriver;
  if (std::strcmp(name, "subset") == 0) return &sameRasterizer;
  if (std::strcmp(name, "browser") == 0) return &otherRasterizer;
  return nullptr;
}

bool Load(const char *path, TestImage *image) {
  *image = LoadPng(path);
  if (image->width == 0) std::fprintf(stderr, "picture_compare: cannot read %s\n", path);
  return image->width != 0;
}

bool SameSize(const TestImage &a, const TestImage &b) {
  bool same = a.width == b.width && a.height == b.height;
  if (!same) std::fprintf(stderr, "picture_compare: %dx%d against %dx%d\n", a.width, a.height, b.width, b.height);
  std::printf("sameSize=%d\n", same ? 1 : 0);
  return same;
}

int Frame(const FrameTolerance &t, const TestImage &a, const TestImage &b, const char *differencePath) {
  ImageDifference d = CompareImages(a, b);
  bool within = SameSize(a, b) && WithinTolerance(d, t);
  std::printf("mean=%.4f\nlargest=%d\nchangedShare=%.6f\n", d.meanChannel, d.maxChannel, d.changedShare);
  std::printf("meanLimit=%g\nlargestLimit=%d\nchangedShareLimit=%g\nwithin=%d\n", t.meanLimit, t.maxLimit,
              t.changedShareLimit, within ? 1 : 0);
  if (!within && d.sameSize && differencePath != nullptr) SavePng(differencePath, DifferenceImage(a, b));
  return 0;
}

int Blocks(const TestImage &a, const TestImage &b) {
  std::printf("width=%d\nheight=%d\n", a.width, a.height);
  bool same = SameSize(a, b);
  double blocks = same ? MeanBlockDifference(a, b, savedAgainstScreen.block) : 0.0;
  std::printf("blocks=%.1f\nblocksBelow=%g\nwithin=%d\n", blocks, savedAgainstScreen.meanBelow,
              same && WithinTolerance(blocks, savedAgainstScreen) ? 1 : 0);
  return 0;
}

// A line of 20-odd glyphs lights some 400 pixels.
int Lines(const TestImage &shot) {
  int first = LightPixels(shot, 0, 0, 4, 21), second = LightPixels(shot, 0, 0, 24, 41),
      below = LightPixels(shot, 0, 0, 44, 65);
  bool there = first > 200 && second > 200 && below * 10 < first + second;
  std::printf("first=%d\nsecond=%d\nbelow=%d\nlines=%d\n", first, second, below, there ? 1 : 0);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: picture_compare frame driver|subset|browser A.png B.png [DIFFERENCE.png]\n"
               "       picture_compare blocks A.png B.png\n"
               "       picture_compare lines SHOT.png\n");
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) return Usage();
  const char *mode = argv[1];
  TestImage a, b;
  if (std::strcmp(mode, "frame") == 0 && (argc == 5 || argc == 6)) {
    const FrameTolerance *t = FrameToleranceNamed(argv[2]);
    if (t == nullptr) return Usage();
    if (!Load(argv[3], &a) || !Load(argv[4], &b)) return 2;
    return Frame(*t, a, b, argc == 6 ? argv[5] : nullptr);
  }
  if (std::strcmp(mode, "blocks") == 0 && argc == 4) {
    if (!Load(argv[2], &a) || !Load(argv[3], &b)) return 2;
    return Blocks(a, b);
  }
  if (std::strcmp(mode, "lines") == 0 && argc == 3) {
    if (!Load(argv[2], &a)) return 2;
    return Lines(a);
  }
  return Usage();
}
