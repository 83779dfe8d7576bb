// sdl_host_window.cpp: windows of other programs that Talmir draws in (a
// screensaver's host), and the screen's own size.
#include "platform/sdl/sdl_backend.h"

// Not found yet: drawing into another program's window comes with the X11 part.
SystemWindow *SystemFindHostWindow(uint64_t, int *, int *) { return nullptr; }

void SystemForgetHostWindow(SystemWindow *host) { delete host; }

bool SystemScreenSize(int *width, int *height) {
  SDL_DisplayMode mode;
  if (!EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
  *width = mode.w;
  *height = mode.h;
  return true;
}
