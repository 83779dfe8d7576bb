// sdl_shutdown.cpp: the platform's end: the sound stops, the desktop gets
// its own mode back, the windows kept for reuse go, and SDL lets go of the
// display.
#include "platform/sdl/sdl_backend.h"

void ShutdownPlatform() {
  StopSoundPlayback();
  RestoreDesktopMode();
  DestroyKeptWindows();
  ResetPlatformCore();
  SDL_Quit();
}
