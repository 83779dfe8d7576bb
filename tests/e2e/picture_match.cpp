// picture_match.cpp: how alike two pictures of the viewer are, for an
// end-to-end script, as NAME=VALUE lines for the shell:
//   width, height  the first picture's size (the second must have it too)
//   blocks         the mean difference, 0 to 255, between the two pictures'
//                  average colours over blocks of 16 x 16 pixels
// Block averages forgive the few pixels a turning view or swaying plants
// move between two moments, not another picture or one upside down.
// Usage: picture_match A.png B.png (exit 1 when one cannot be read or the
// sizes differ).
#include <stb/stb_image.h>

#include <cmath>
#include <cstdio>

namespace {

const int block = 16;

double BlockAverage(const unsigned char *rgb, int width, int bx, int by, int channel) {
  long sum = 0;
  for (int y = by * block; y < (by + 1) * block; ++y)
    for (int x = bx * block; x < (bx + 1) * block; ++x) sum += rgb[((long)y * width + x) * 3 + channel];
  return (double)sum / (block * block);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: picture_match A.png B.png\n");
    return 2;
  }
  int w[2], h[2], channels;
  unsigned char *rgb[2];
  for (int i = 0; i < 2; ++i) {
    rgb[i] = stbi_load(argv[i + 1], &w[i], &h[i], &channels, 3);
    if (rgb[i] == nullptr) {
      std::fprintf(stderr, "picture_match: cannot read %s\n", argv[i + 1]);
      return 1;
    }
  }
  std::printf("width=%d\nheight=%d\n", w[0], h[0]);
  if (w[0] != w[1] || h[0] != h[1]) {
    std::fprintf(stderr, "picture_match: %dx%d against %dx%d\n", w[0], h[0], w[1], h[1]);
    return 1;
  }
  double total = 0;
  int blocks = 0;
  for (int by = 0; by < h[0] / block; ++by)
    for (int bx = 0; bx < w[0] / block; ++bx, ++blocks)
      for (int c = 0; c < 3; ++c)
        total += std::fabs(BlockAverage(rgb[0], w[0], bx, by, c) - BlockAverage(rgb[1], w[0], bx, by, c)) / 3;
  std::printf("blocks=%.1f\n", blocks > 0 ? total / blocks : 0.0);
  stbi_image_free(rgb[0]);
  stbi_image_free(rgb[1]);
  return 0;
}
