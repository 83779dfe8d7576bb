// screen_changes.cpp: waits until the X screen named by DISPLAY has changed
// COUNT times, for the end-to-end scripts: the viewer's view turns by itself,
// so each frame it draws changes the screen, and COUNT changes mean COUNT
// frames have reached the screen. It reads the screen every 10 ms
// and compares it with the last picture it saw.
// Usage: screen_changes COUNT [SECONDS]; exit 0 after COUNT changes, 1 when
// SECONDS (default 30) pass first, 2 on a usage or display error.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// The whole screen's pixels as the server holds them.
bool ReadScreen(Display *display, Window root, int width, int height, std::vector<char> *pixels) {
  XImage *image = XGetImage(display, root, 0, 0, width, height, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  pixels->assign(image->data, image->data + (size_t)image->bytes_per_line * image->height);
  XDestroyImage(image);
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: screen_changes COUNT [SECONDS]\n");
    return 2;
  }
  int wanted = std::atoi(argv[1]);
  double seconds = argc == 3 ? std::atof(argv[2]) : 30.0;
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "screen_changes: cannot open the display\n");
    return 2;
  }
  Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);

  std::vector<char> last, now;
  if (!ReadScreen(display, root, attributes.width, attributes.height, &last)) {
    std::fprintf(stderr, "screen_changes: cannot read the screen\n");
    return 2;
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int changes = 0;
  while (changes < wanted) {
    if (std::chrono::steady_clock::now() > deadline) {
      std::fprintf(stderr, "screen_changes: %d of %d changes in %g s\n", changes, wanted, seconds);
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!ReadScreen(display, root, attributes.width, attributes.height, &now)) return 2;
    if (now != last) {
      ++changes;
      last.swap(now);
    }
  }
  XCloseDisplay(display);
  return 0;
}
