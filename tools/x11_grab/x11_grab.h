// x11_grab.h: the X screen named by DISPLAY, read whole: as the server holds
// it, to see whether it changed, and as 8-bit RGB, to look at or to keep
// (screengrab, and the end-to-end tests' helpers).
#pragma once

#include <X11/Xlib.h>

#include <vector>

struct ScreenPicture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // top row first, 3 bytes a pixel
  const unsigned char *At(int x, int y) const { return &rgb[((size_t)y * width + x) * 3]; }
};

// The root window's pixels in the server's own format, or null when they
// cannot be read; XDestroyImage frees them.
XImage *GrabRootImage(Display *display);
// Whether two grabs hold the same pixels.
bool SameImage(const XImage *a, const XImage *b);
// A grab's pixels as RGB.
ScreenPicture ImageToRgb(XImage *image);
// Opens DISPLAY, reads the whole screen as RGB into picture and closes the
// display again. Null on success; otherwise why not, in words.
const char *GrabScreen(ScreenPicture *picture);
