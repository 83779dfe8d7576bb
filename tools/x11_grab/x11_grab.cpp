// x11_grab.cpp: XGetImage on the root window, pixels through the visual's masks.
#include "x11_grab/x11_grab.h"

#include <X11/Xutil.h>

#include <cstring>

namespace {

// The channel a mask selects, scaled to 8 bits.
unsigned char Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  unsigned long maximum = mask >> shift;
  return (unsigned char)(((pixel & mask) >> shift) * 255 / maximum);
}

}  // namespace

XImage *GrabRootImage(Display *display) {
  Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, root, &attributes)) return nullptr;
  return XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
}

bool SameImage(const XImage *a, const XImage *b) {
  return a->width == b->width && a->height == b->height && a->bytes_per_line == b->bytes_per_line &&
         std::memcmp(a->data, b->data, (size_t)a->bytes_per_line * a->height) == 0;
}

ScreenPicture ImageToRgb(XImage *image) {
  ScreenPicture picture;
  picture.width = image->width;
  picture.height = image->height;
  picture.rgb.resize((size_t)picture.width * picture.height * 3);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      unsigned long pixel = XGetPixel(image, x, y);
      unsigned char *out = &picture.rgb[((size_t)y * picture.width + x) * 3];
      out[0] = Channel(pixel, image->red_mask);
      out[1] = Channel(pixel, image->green_mask);
      out[2] = Channel(pixel, image->blue_mask);
    }
  return picture;
}

const char *GrabScreen(ScreenPicture *picture) {
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr) return "cannot open the display";
  XImage *image = GrabRootImage(display);
  if (image != nullptr) {
    *picture = ImageToRgb(image);
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return image == nullptr ? "cannot read the screen" : nullptr;
}
