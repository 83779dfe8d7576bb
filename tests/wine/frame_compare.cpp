// frame_compare.cpp: holds a frame the Windows build drew against the Linux
// golden picture, under the golden frames' own tolerance, for the Wine tests.
//
// Usage: frame_compare GOLDEN.png FRAME.png DIFFERENCE.png
// Prints the mean difference, the share of pixels off by more than 32 and
// the largest difference of one channel. Exit 0 within the tolerance; 1
// otherwise, with the difference picture written for a person to look at.
//
// Tolerance: that of the same driver (support/frame_tolerance.h), as in
// tests/gl/golden_frames_test.cpp: Wine hands the GL calls to the same Mesa
// llvmpipe that drew the goldens, through GLX instead of EGL.
#include <cstdio>

#include "support/frame_tolerance.h"
#include "support/image_compare.h"

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: frame_compare GOLDEN.png FRAME.png DIFFERENCE.png\n");
    return 2;
  }
  TestImage golden = LoadPng(argv[1]), frame = LoadPng(argv[2]);
  ImageDifference d = CompareImages(frame, golden);
  if (!d.sameSize) {
    std::printf("sizes differ: frame %dx%d, golden %dx%d\n", frame.width, frame.height, golden.width,
                golden.height);
    return 1;
  }
  std::printf("mean %.4f (limit %.2f), %.4f%% of pixels off by more than 32 (limit %.2f%%), largest %d\n",
              d.meanChannel, sameDriver.meanLimit, 100 * d.changedShare, 100 * sameDriver.changedShareLimit,
              d.maxChannel);
  if (WithinTolerance(d, sameDriver)) return 0;
  SavePng(argv[3], DifferenceImage(frame, golden));
  return 1;
}
