// area_stats.cpp: what the screensaver scripts (Linux and Wine) need to know
// about one rectangle of the X screen named by DISPLAY, and about the rest
// of the screen, as NAME=VALUE lines for the shell:
//   green    per mille of the rectangle's pixels whose green beats red and blue (plants, grass, hills)
//   sky      per mille of them whose blue beats red and green (the fogged sky, far mountains)
//   black    per mille of them pure black (the bare Xvfb screen)
//   plain    per mille of them within 8 of the plain colour (a test host's backdrop)
//   outside  per mille of the pixels outside it that are NOT the plain colour
// The rectangle is clipped to the screen; one wholly off it is an error.
// Usage: area_stats LEFT TOP WIDTH HEIGHT RRGGBB
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "x11_grab/x11_grab.h"

namespace {

struct Shares {
  long inside = 0, green = 0, sky = 0, black = 0, plain = 0, outside = 0, outsideChanged = 0;
};

bool Near(const unsigned char *c, const int plain[3]) {
  return std::abs(c[0] - plain[0]) <= 8 && std::abs(c[1] - plain[1]) <= 8 && std::abs(c[2] - plain[2]) <= 8;
}

void CountInside(const unsigned char *c, const int plain[3], Shares *s) {
  ++s->inside;
  s->green += c[1] > c[0] && c[1] > c[2];
  s->sky += c[2] > c[0] && c[2] > c[1];
  s->black += c[0] == 0 && c[1] == 0 && c[2] == 0;
  s->plain += Near(c, plain);
}

long PerMille(long part, long all) { return all > 0 ? part * 1000 / all : 0; }

}  // namespace

int main(int argc, char **argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: area_stats LEFT TOP WIDTH HEIGHT RRGGBB\n");
    return 2;
  }
  int left = std::atoi(argv[1]), top = std::atoi(argv[2]);
  int right = left + std::atoi(argv[3]), bottom = top + std::atoi(argv[4]);
  long colour = std::strtol(argv[5], nullptr, 16);
  int plain[3] = {(int)(colour >> 16) & 255, (int)(colour >> 8) & 255, (int)colour & 255};
  ScreenPicture p;
  if (const char *why = GrabScreen(&p)) {
    std::fprintf(stderr, "area_stats: %s\n", why);
    return 1;
  }
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, p.width), bottom = std::min(bottom, p.height);
  if (left >= right || top >= bottom) {
    std::fprintf(stderr, "area_stats: the rectangle lies off the %dx%d screen\n", p.width, p.height);
    return 2;
  }
  Shares s;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const unsigned char *c = p.At(x, y);
      if (x >= left && x < right && y >= top && y < bottom) {
        CountInside(c, plain, &s);
      } else {
        ++s.outside;
        s.outsideChanged += !Near(c, plain);
      }
    }
  std::printf("green=%ld\nsky=%ld\nblack=%ld\nplain=%ld\noutside=%ld\n", PerMille(s.green, s.inside),
              PerMille(s.sky, s.inside), PerMille(s.black, s.inside), PerMille(s.plain, s.inside),
              PerMille(s.outsideChanged, s.outside));
  return 0;
}
