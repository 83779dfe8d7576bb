// web_program.cpp: the page as a program: no folder of its own, no
// offscreen drawing, and its end.
#include "platform/web/web_backend.h"

// A page always draws into its canvas, paced by the browser.
void RequestOffscreenRendering() {}

// A page has no folder of its own: its data is packed with it.
int GetProgramFolder(char *, size_t) { return 0; }
int GetPicturesFolder(char *, size_t) { return 0; }

void ShutdownPlatform() {
  StopSoundPlayback();
  LeavePageFullscreen();
  ResetPlatformCore();
}
