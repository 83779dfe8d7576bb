// picture_stats.cpp: what an end-to-end script needs to know about the
// picture on the X screen named by DISPLAY, as NAME=VALUE lines for the shell:
//   text     light pixels where the overlay's two lines stand (rows 4-40,
//            x 0-299 of the 1024x768 frame, whose top left corner is at
//            LEFT, TOP on the screen: 0, 0 unless given)
//   gap      light pixels in the rows just below them (44-64)
//   green    per mille of pixels whose green beats red and blue (plants, grass)
//   fog      per mille of pixels within 8 of the fog colour (128, 128, 153)
// It reads the screen itself, so a script can ask again and again while it
// waits for a picture; given a PNG file (a screenshot kept), it reads that.
// Usage: picture_stats [LEFT TOP] | picture_stats FILE.png
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "support/image_compare.h"
#include "tools/overlay_text.h"
#include "x11_grab/x11_grab.h"

namespace {

// A PNG file as RGB, by the tests' own reader; null on success, otherwise why not.
const char *ReadPicture(const char *path, ScreenPicture *picture) {
  TestImage image = LoadPng(path);
  if (image.width == 0) return "not a PNG file that can be read";
  *picture = ScreenPicture{image.width, image.height, std::move(image.rgb)};
  return nullptr;
}

}  // namespace

int main(int argc, char **argv) {
  bool file = argc == 2;
  if (argc != 1 && argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: picture_stats [LEFT TOP] | picture_stats FILE.png\n");
    return 2;
  }
  int frameLeft = argc == 3 ? std::atoi(argv[1]) : 0, frameTop = argc == 3 ? std::atoi(argv[2]) : 0;
  ScreenPicture p;
  if (const char *why = file ? ReadPicture(argv[1], &p) : GrabScreen(&p)) {
    std::fprintf(stderr, "picture_stats: %s: %s\n", file ? argv[1] : "the screen", why);
    return 1;
  }
  long green = 0, fog = 0, all = (long)p.width * p.height;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const unsigned char *c = p.At(x, y);
      green += c[1] > c[0] && c[1] > c[2];
      fog += std::abs(c[0] - 128) <= 8 && std::abs(c[1] - 128) <= 8 && std::abs(c[2] - 153) <= 8;
    }
  std::printf("text=%d\ngap=%d\ngreen=%ld\nfog=%ld\n", LightPixels(p, frameLeft, frameTop, 4, 41),
              LightPixels(p, frameLeft, frameTop, 44, 65), green * 1000 / all, fog * 1000 / all);
  return 0;
}
