// sdl_backend.h: what the SDL2 backend's files share among themselves: the
// window record, the message queue and the video connection. Not for the
// program: it sees only platform.h.
#pragma once

#include <SDL.h>

#include "platform/platform.h"

struct PlatformWindow {
  SDL_Window *sdl;
  WindowProcedure procedure;
  uint32_t style;
  int clientWidth, clientHeight;
  bool hasPixelFormat;
  bool minimised;
};

// Brings SDL's video up once; false, with the reason on standard error, when
// no display can be reached.
bool EnsureVideo();

// The one live window of the program, or null; and a check that a handle
// names a live window.
PlatformWindow *LiveWindow();
bool IsLiveWindow(const PlatformWindow *window);
PlatformWindow *WindowFromSdl(SDL_Window *sdl);
bool WindowHasInputFocus(const PlatformWindow *window);

// Calls the window's procedure at once, as a sent message.
LResult SendToWindow(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam);
// Turns the SDL events that have arrived into queued messages.
void PumpPlatformEvents();
// Adds a message to the back of the queue (no window: the live one at dispatch), as a posted message.
void PostToQueue(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam);
// Forgets the queued messages of a window that is going away.
void DropQueuedMessages(const PlatformWindow *window);
// The cursor's bookkeeping when the focus or the window changes.
void ResetCursorTracking();
// Stops the looping sound and closes the audio device.
void StopSoundPlayback();

// The kind of GL the contexts are made for, chosen by the build
// (sdl_gl_desktop.cpp or sdl_gl_es2.cpp): asked for before a window and its
// context are made, and the frame's drawing finished before a swap shows it.
void AskForContextKind();
void FinishFrameDrawing();

inline LParam PackSize(int width, int height) {
  return (LParam)((unsigned)(width & 0xFFFF) | ((unsigned)(height & 0xFFFF) << 16));
}
