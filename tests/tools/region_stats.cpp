// region_stats.cpp: what is drawn within one rectangle of the X screen named
// by DISPLAY, for the screensaver scripts: whether the landscape fills a
// window and stays inside it. As NAME=VALUE lines for the shell, each in per
// mille of the rectangle's pixels:
//   green    green beats red and blue (plants, grass, hills)
//   blue     blue beats red and green (the fogged sky and far mountains)
//   black    pure black (the bare Xvfb screen)
//   magenta  within 8 of (255, 0, 255), the test host's own background
// The rectangle is clipped to the screen; one wholly off it is an error.
// Usage: region_stats LEFT TOP WIDTH HEIGHT
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "x11_grab/x11_grab.h"

namespace {

struct Shares {
  long green = 0, blue = 0, black = 0, magenta = 0, all = 0;
};

void Count(const unsigned char *c, Shares *s) {
  s->green += c[1] > c[0] && c[1] > c[2];
  s->blue += c[2] > c[0] && c[2] > c[1];
  s->black += c[0] == 0 && c[1] == 0 && c[2] == 0;
  s->magenta += c[0] >= 247 && c[1] <= 8 && c[2] >= 247;
  ++s->all;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: region_stats LEFT TOP WIDTH HEIGHT\n");
    return 2;
  }
  int left = std::atoi(argv[1]), top = std::atoi(argv[2]);
  int right = left + std::atoi(argv[3]), bottom = top + std::atoi(argv[4]);
  ScreenPicture p;
  if (const char *why = GrabScreen(&p)) {
    std::fprintf(stderr, "region_stats: %s\n", why);
    return 1;
  }
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, p.width), bottom = std::min(bottom, p.height);
  if (left >= right || top >= bottom) {
    std::fprintf(stderr, "region_stats: the rectangle lies off the %dx%d screen\n", p.width, p.height);
    return 2;
  }
  Shares s;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) Count(p.At(x, y), &s);
  std::printf("green=%ld\nblue=%ld\nblack=%ld\nmagenta=%ld\n", s.green * 1000 / s.all, s.blue * 1000 / s.all,
              s.black * 1000 / s.all, s.magenta * 1000 / s.all);
  return 0;
}
