// area_stats.cpp: what a screensaver's script needs to know about one
// rectangle of the X screen named by DISPLAY, and about the rest of the
// screen, as NAME=VALUE lines for the shell:
//   plain    per mille of the rectangle's pixels within 8 of the plain colour
//   green    per mille of them whose green beats red and blue (plants, grass)
//   sky      per mille of them whose blue beats red and green (sky and fog)
//   outside  per mille of the pixels outside it that are NOT the plain colour
// Usage: area_stats LEFT TOP WIDTH HEIGHT RRGGBB
#include <cstdio>
#include <cstdlib>

#include "x11_grab/x11_grab.h"

namespace {

bool Near(const unsigned char *c, const int plain[3]) {
  return std::abs(c[0] - plain[0]) <= 8 && std::abs(c[1] - plain[1]) <= 8 && std::abs(c[2] - plain[2]) <= 8;
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
  long inside = 0, inPlain = 0, green = 0, sky = 0, outside = 0, outChanged = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const unsigned char *c = p.At(x, y);
      if (x >= left && x < right && y >= top && y < bottom) {
        ++inside;
        inPlain += Near(c, plain);
        green += c[1] > c[0] && c[1] > c[2];
        sky += c[2] > c[0] && c[2] > c[1];
      } else {
        ++outside;
        outChanged += !Near(c, plain);
      }
    }
  std::printf("plain=%ld\ngreen=%ld\nsky=%ld\noutside=%ld\n", PerMille(inPlain, inside), PerMille(green, inside),
              PerMille(sky, inside), PerMille(outChanged, outside));
  return 0;
}
