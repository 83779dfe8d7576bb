// sdl_video.cpp: SDL's video connection, the program's folder and the tools'
// offscreen drawing.
#include <cstdio>

#include "platform/sdl/sdl_backend.h"

bool EnsureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  // Without a desktop SDL would fall back to a driver that shows nothing;
  // a desktop program says so instead (a chosen SDL_VIDEODRIVER still counts).
  if (!SDL_getenv("DISPLAY") && !SDL_getenv("WAYLAND_DISPLAY") && !SDL_getenv("SDL_VIDEODRIVER")) {
    std::fprintf(stderr, "Talmir cannot open a window: no display could be reached (neither DISPLAY nor "
                         "WAYLAND_DISPLAY is set).\n");
    return false;
  }
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // The window's class (X11) and app id (Wayland) are the menu entry's name,
  // so the desktop shows the entry's icon for it. SDL 2.26 reads them from
  // the environment (a user's own setting wins); later SDLs from the hint.
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", TALMIR_APP_ID, 0);
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", TALMIR_APP_ID, 0);
  SDL_SetHint("SDL_APP_ID", TALMIR_APP_ID);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "Talmir cannot open a window: no display could be reached (%s).\n", SDL_GetError());
    return false;
  }
  return true;
}

PlatformWindow *WindowFromSdl(SDL_Window *sdl) {
  for (PlatformWindow *live : LiveWindows())
    if (live->system->sdl == sdl) return live;
  return nullptr;
}

namespace {

bool DriverIs(const char *name) {
  const char *driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && SDL_strcmp(driver, name) == 0;
}

}  // namespace

bool WindowHasInputFocus(const PlatformWindow *window) {
  if (!IsLiveWindow(window)) return false;
  // The offscreen driver has no focus of its own; its one window has the input.
  if (DriverIs("offscreen")) return true;
  return (SDL_GetWindowFlags(window->system->sdl) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

bool DriverCannotWarp() { return DriverIs("wayland") || DriverIs("offscreen"); }

bool DriverLeavesFramesBehind() { return DriverIs("wayland"); }

bool SystemOpenDisplay() { return EnsureVideo(); }

void RequestOffscreenRendering() {
  // SDL's offscreen driver: real GL through EGL, no display needed.
  SDL_setenv("SDL_VIDEODRIVER", "offscreen", 1);
}

// The pictures folder is the user's own setting on Linux (XDG's user dirs),
// which the program reads itself.
int GetPicturesFolder(char *, size_t) { return 0; }

int GetProgramFolder(char *folder, size_t size) {
  char *base = SDL_GetBasePath();
  if (base == nullptr) return 0;
  bool fits = SDL_strlcpy(folder, base, size) < size;
  SDL_free(base);
  return fits ? 1 : 0;
}
