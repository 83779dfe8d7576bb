// screen_changes.cpp: waits until the X screen named by DISPLAY has changed
// COUNT times, for the end-to-end scripts: the viewer's view turns by itself,
// so each frame it draws changes the screen, and COUNT changes mean COUNT
// frames have reached the screen. It reads the screen every 20 ms and
// compares it with the last picture it saw.
// Usage: screen_changes COUNT [SECONDS]; exit 0 after COUNT changes, 1 when
// SECONDS (default 30) pass first, 2 on a usage or display error.
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "x11_grab/x11_grab.h"

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
  XImage *last = GrabRootImage(display);
  if (last == nullptr) {
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
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    XImage *now = GrabRootImage(display);
    if (now == nullptr) return 2;
    if (SameImage(now, last)) {
      XDestroyImage(now);
    } else {
      ++changes;
      XDestroyImage(last);
      last = now;
    }
  }
  XDestroyImage(last);
  XCloseDisplay(display);
  return 0;
}
