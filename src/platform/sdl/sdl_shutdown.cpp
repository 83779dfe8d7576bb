// sdl_shutdown.cpp: the platform's end: the sound stops, the desktop gets
// its own mode back, and SDL lets go of the display.
#include "platform/sdl/sdl_backend.h"

void ShutdownPlatform() {
  StopSoundPlayback();
  RestoreDesktopMode();
  ResetPlatformCore();
  SDL_Quit();
}
