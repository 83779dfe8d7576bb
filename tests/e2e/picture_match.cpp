// picture_match.cpp: how alike two pictures of the viewer are, for an
// end-to-end script, as NAME=VALUE lines for the shell:
//   width, height  the first picture's size (the second must have it too)
//   blocks         the mean difference, 0 to 255, between the two pictures'
//                  average colours over blocks of 16 x 16 pixels
//   within         1 when that lies within the tolerance of F12's picture
//                  against the screen (support/frame_tolerance.h)
// Usage: picture_match A.png B.png (exit 1 when one cannot be read or the
// sizes differ).
#include <cstdio>

#include "support/frame_tolerance.h"
#include "support/image_compare.h"

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: picture_match A.png B.png\n");
    return 2;
  }
  TestImage picture[2];
  for (int i = 0; i < 2; ++i) {
    picture[i] = LoadPng(argv[i + 1]);
    if (picture[i].width == 0) {
      std::fprintf(stderr, "picture_match: cannot read %s\n", argv[i + 1]);
      return 1;
    }
  }
  const TestImage &a = picture[0], &b = picture[1];
  std::printf("width=%d\nheight=%d\n", a.width, a.height);
  if (a.width != b.width || a.height != b.height) {
    std::fprintf(stderr, "picture_match: %dx%d against %dx%d\n", a.width, a.height, b.width, b.height);
    return 1;
  }
  double blocks = MeanBlockDifference(a, b, savedAgainstScreen.block);
  std::printf("blocks=%.1f\nwithin=%d\n", blocks, WithinTolerance(blocks, savedAgainstScreen) ? 1 : 0);
  return 0;
}
