// sdl_display_mode.cpp: the fullscreen display mode, and the desktop's own
// mode back whatever way the program ends, a crash included.
#include <signal.h>

#include <cstdlib>

#include "platform/sdl/sdl_backend.h"

namespace {

// Chosen by ChangeDisplayMode, put on the screen by the popup window that
// follows, and taken back by a restore or the window's end.
bool displayModeChanged = false;
SDL_DisplayMode fullscreenMode;

struct SignalRestore {
  int signal;
  struct sigaction previous;
};
SignalRestore crashSignals[] = {{SIGSEGV, {}}, {SIGBUS, {}}, {SIGFPE, {}}, {SIGILL, {}}, {SIGABRT, {}}};
bool crashRestoreInstalled = false;

void RestoreOnCrash(int signal) {
  RestoreDesktopMode();
  for (SignalRestore &entry : crashSignals)
    if (entry.signal == signal) sigaction(signal, &entry.previous, nullptr);
  raise(signal);
}

void InstallCrashRestore() {
  if (crashRestoreInstalled) return;
  crashRestoreInstalled = true;
  struct sigaction action = {};
  action.sa_handler = RestoreOnCrash;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  for (SignalRestore &entry : crashSignals) sigaction(entry.signal, &action, &entry.previous);
}

// The display's entry of that size closest in depth to the one asked for.
// SDL's own mode-setting calls report success even for modes the display
// lacks, so the decision rests on the display's list.
bool FindFullscreenMode(int width, int height, int bits, SDL_DisplayMode *found) {
  int best = -1, bestDistance = 0;
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w != width || mode.h != height) continue;
    int distance = abs((int)SDL_BITSPERPIXEL(mode.format) - bits);
    if (best < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best >= 0 && SDL_GetDisplayMode(0, best, found) == 0;
}

}  // namespace

bool ChosenFullscreenMode(SDL_DisplayMode *mode) {
  if (displayModeChanged) *mode = fullscreenMode;
  return displayModeChanged;
}

void RestoreDesktopMode() {
  for (PlatformWindow *window : LiveWindows())
    if (SDL_GetWindowFlags(window->system->sdl) & SDL_WINDOW_FULLSCREEN) SDL_SetWindowFullscreen(window->system->sdl, 0);
  displayModeChanged = false;
}

int ChangeDisplayMode(const DisplayMode *mode, unsigned flags) {
  if (mode == nullptr) {
    RestoreDesktopMode();
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!(flags & CDS_FULLSCREEN) || !EnsureVideo()) return DISP_CHANGE_FAILED;
  int bits = (mode->fields & DM_BITSPERPEL) ? (int)mode->bitsPerPixel : 32;
  if (!FindFullscreenMode((int)mode->width, (int)mode->height, bits, &fullscreenMode))
    return DISP_CHANGE_BADMODE;
  InstallCrashRestore();
  displayModeChanged = true;
  return DISP_CHANGE_SUCCESSFUL;
}
