// screengrab.cpp: writes the X screen named by DISPLAY to a PNG file, so a
// run on a virtual screen leaves a picture behind. Usage: screengrab OUT.png
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stb/stb_image_write.h>

#include <cstdio>
#include <vector>

// The channel a mask selects, scaled to 8 bits.
static unsigned char Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  unsigned long maximum = mask >> shift;
  return (unsigned char)(((pixel & mask) >> shift) * 255 / maximum);
}

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screengrab OUT.png\n");
    return 2;
  }
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "screengrab: cannot open the display\n");
    return 1;
  }
  Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage *image = XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (image == nullptr) {
    std::fprintf(stderr, "screengrab: cannot read the screen\n");
    return 1;
  }
  std::vector<unsigned char> rgb((size_t)attributes.width * attributes.height * 3);
  for (int y = 0; y < attributes.height; ++y)
    for (int x = 0; x < attributes.width; ++x) {
      unsigned long pixel = XGetPixel(image, x, y);
      unsigned char *out = &rgb[((size_t)y * attributes.width + x) * 3];
      out[0] = Channel(pixel, image->red_mask);
      out[1] = Channel(pixel, image->green_mask);
      out[2] = Channel(pixel, image->blue_mask);
    }
  XDestroyImage(image);
  XCloseDisplay(display);
  if (!stbi_write_png(argv[1], attributes.width, attributes.height, 3, rgb.data(), attributes.width * 3)) {
    std::fprintf(stderr, "screengrab: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
