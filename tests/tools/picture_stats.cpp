// picture_stats.cpp: what an end-to-end script needs to know about the
// picture on the X screen named by DISPLAY, as NAME=VALUE lines for the shell:
//   text     light pixels where the overlay's two lines stand (rows 4-40,
//            x 0-299 of the 1024x768 frame, whose top left corner is at
//            LEFT, TOP on the screen: 0, 0 unless given)
//   gap      light pixels in the rows just below them (44-64)
//   green    per mille of pixels whose green beats red and blue (plants, grass)
//   fog      per mille of pixels within 8 of the fog colour (128, 128, 153)
// It reads the screen itself, so a script can ask again and again while it
// waits for a picture. Usage: picture_stats [LEFT TOP]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Picture {
  int width, height;
  std::vector<unsigned char> rgb;
  const unsigned char *At(int x, int y) const { return &rgb[((size_t)y * width + x) * 3]; }
};

// A colour channel's place in a pixel, from its mask.
struct Channel {
  int shift = 0;
  unsigned long maximum = 0;
  explicit Channel(unsigned long mask) {
    if (mask == 0) return;
    while (!((mask >> shift) & 1)) ++shift;
    maximum = mask >> shift;
  }
  unsigned char Of(unsigned long pixel, unsigned long mask) const {
    return maximum == 0 ? 0 : (unsigned char)(((pixel & mask) >> shift) * 255 / maximum);
  }
};

bool ReadScreen(Picture *p) {
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage *image = XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (image == nullptr) {
    XCloseDisplay(display);
    return false;
  }
  p->width = attributes.width;
  p->height = attributes.height;
  p->rgb.resize((size_t)p->width * p->height * 3);
  Channel red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
  for (int y = 0; y < p->height; ++y)
    for (int x = 0; x < p->width; ++x) {
      unsigned long pixel = XGetPixel(image, x, y);
      unsigned char *out = &p->rgb[((size_t)y * p->width + x) * 3];
      out[0] = red.Of(pixel, image->red_mask);
      out[1] = green.Of(pixel, image->green_mask);
      out[2] = blue.Of(pixel, image->blue_mask);
    }
  XDestroyImage(image);
  XCloseDisplay(display);
  return true;
}

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
  if (argc != 1 && argc != 3) {
    std::fprintf(stderr, "usage: picture_stats [LEFT TOP]\n");
    return 2;
  }
  if (argc == 3) {
    frameLeft = std::atoi(argv[1]);
    frameTop = std::atoi(argv[2]);
  }
  Picture p;
  if (!ReadScreen(&p)) {
    std::fprintf(stderr, "picture_stats: cannot read the screen\n");
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
  return 0;
}
