// web_backend.h: what the web backend's files share among themselves: the
// page's one window (its canvas), the message queue and the page's state.
// Not for the program: it sees only platform.h.
#pragma once

#include "platform/platform.h"

// The page's canvas stands for the program's window: there is one, its
// client area is the canvas's 1024x768 drawing buffer, shown scaled to the
// page (or to the screen in fullscreen).
struct PlatformWindow {
  WindowProcedure procedure;
  uint32_t style;
  int clientWidth, clientHeight;
  bool hasPixelFormat;
};

// The canvas and the element that goes fullscreen around it (see shell.html).
inline constexpr const char *canvasSelector = "#canvas";
inline constexpr const char *stageSelector = "#stage";

PlatformWindow *LiveWindow();
bool IsLiveWindow(const PlatformWindow *window);
LResult SendToWindow(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam);

// Adds a message to the back of the queue (no window: the live one at dispatch).
void PostToQueue(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam);
// A press and a release of a key, as one quick tap.
void PostKeyTap(unsigned virtualKey);
// Forgets the queued messages of a window that is going away.
void DropQueuedMessages(const PlatformWindow *window);
// Starts listening to the page's keys, mouse, pointer lock and fullscreen.
void ListenToPage();

// The fullscreen the program asked for: entered (false where the page cannot
// go fullscreen), and left.
bool EnterPageFullscreen();
void LeavePageFullscreen();
// Called when the page leaves fullscreen by itself (Esc, the browser's own
// controls) or refuses to enter it, so the program can switch back.
void PageLeftFullscreen();

// The first gesture on the page (a key or a click) lets it make sound.
void StartSoundOnGesture();
void StopSoundPlayback();
