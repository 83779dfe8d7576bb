// bare_window.cpp: the host a screensaver draws in, as a test makes it: a
// backdrop of one plain colour over the whole screen and, above it, a bare
// window (no children, nothing drawn in it) of the size asked for. Prints
// the bare window's id and waits for lines on standard input: "destroy"
// destroys the bare window, "resize WxH" resizes it; the end of the input
// (or a signal) ends the tool, and the X server takes both windows away.
// Usage: bare_window WIDTH HEIGHT LEFT TOP RRGGBB
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A top-level window that the window manager (where there is one) leaves
// alone, shown and on the server before this returns.
Window MakeWindow(Display *display, int left, int top, int width, int height, unsigned long background) {
  XSetWindowAttributes attributes = {};
  attributes.override_redirect = True;
  attributes.background_pixel = background;
  Window window = XCreateWindow(display, DefaultRootWindow(display), left, top, width, height, 0, CopyFromParent,
                                InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
  XMapRaised(display, window);
  XSync(display, False);
  return window;
}

// The colour's pixel on the default visual (a TrueColor visual on Xvfb).
unsigned long Pixel(Display *display, const char *rrggbb) {
  XColor colour = {};
  std::string spec = std::string("#") + rrggbb;
  if (!XParseColor(display, DefaultColormap(display, DefaultScreen(display)), spec.c_str(), &colour) ||
      !XAllocColor(display, DefaultColormap(display, DefaultScreen(display)), &colour))
    return BlackPixel(display, DefaultScreen(display));
  return colour.pixel;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: bare_window WIDTH HEIGHT LEFT TOP RRGGBB\n");
    return 2;
  }
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "bare_window: cannot open the display\n");
    return 1;
  }
  int screen = DefaultScreen(display);
  MakeWindow(display, 0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen), Pixel(display, argv[5]));
  Window bare = MakeWindow(display, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[1]), std::atoi(argv[2]),
                           BlackPixel(display, screen));
  std::printf("0x%lx\n", bare);
  std::fflush(stdout);
  char line[64];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    int width = 0, height = 0;
    if (std::strncmp(line, "destroy", 7) == 0)
      XDestroyWindow(display, bare);
    else if (std::sscanf(line, "resize %dx%d", &width, &height) == 2)
      XResizeWindow(display, bare, width, height);
    XSync(display, False);
    std::printf("done\n");
    std::fflush(stdout);
  }
  XCloseDisplay(display);
  return 0;
}
