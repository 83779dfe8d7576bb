// picture_stats.cpp: what an end-to-end script needs to know about a
// screenshot of the viewer, as NAME=VALUE lines for the shell:
//   text     light pixels where the overlay's two lines stand (rows 4-40,
//            x 0-299 of the 1024x768 frame, whose top left corner is at
//            LEFT, TOP in the screenshot: 0, 0 unless given)
//   gap      light pixels in the rows just below them (44-64)
//   green    per mille of pixels whose green beats red and blue (plants, grass)
//   fog      per mille of pixels within 8 of the fog colour (128, 128, 153)
// Usage: picture_stats SHOT.png [LEFT TOP]
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

struct Picture {
  int width, height;
  unsigned char *rgb;
  const unsigned char *At(int x, int y) const { return rgb + ((size_t)y * width + x) * 3; }
};

int frameLeft = 0, frameTop = 0;

int LightPixels(const Picture &p, int top, int bottom) {
  int n = 0;
  for (int y = frameTop + top; y < frameTop + bottom && y < p.height; ++y)
    for (int x = frameLeft; x < frameLeft + 300 && x < p.width; ++x) {
      const unsigned char *c = p.At(x, y);
      n += std::min({c[0], c[1], c[2]}) >= 150;
    }
  return n;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: picture_stats SHOT.png [LEFT TOP]\n");
    return 2;
  }
  if (argc == 4) {
    frameLeft = std::atoi(argv[2]);
    frameTop = std::atoi(argv[3]);
  }
  int channels;
  Picture p;
  p.rgb = stbi_load(argv[1], &p.width, &p.height, &channels, 3);
  if (p.rgb == nullptr) {
    std::fprintf(stderr, "picture_stats: cannot read %s\n", argv[1]);
    return 1;
  }
  long green = 0, fog = 0, all = (long)p.width * p.height;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const unsigned char *c = p.At(x, y);
      green += c[1] > c[0] && c[1] > c[2];
      fog += std::abs(c[0] - 128) <= 8 && std::abs(c[1] - 128) <= 8 && std::abs(c[2] - 153) <= 8;
    }
  std::printf("text=%d\ngap=%d\ngreen=%ld\nfog=%ld\n", LightPixels(p, 4, 41), LightPixels(p, 44, 65),
              green * 1000 / all, fog * 1000 / all);
  stbi_image_free(p.rgb);
  return 0;
}
