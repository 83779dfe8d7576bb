// window_list.h: the windows a backend that emulates Windows keeps for the
// program, as records the shared core owns; each record carries the
// backend's own part of the window (SystemWindow) beside it.
#pragma once

#include <vector>

#include "platform/platform.h"

struct SystemWindow;  // the backend's own record of a window (an SDL window, the canvas, a test surface)

struct PlatformWindow {
  WindowProcedure procedure;
  uint32_t style;
  Rect rect;  // the screen rectangle the window was created with, frame included
  int clientWidth, clientHeight;
  bool hasPixelFormat;
  bool minimised;
  SystemWindow *system;
  PlatformWindow *parent;  // a host the window draws in, or null
  bool host;               // another program's window (no procedure, never live)
};

// The program's windows, oldest first; the last is the live one.
const std::vector<PlatformWindow *> &LiveWindows();
PlatformWindow *LiveWindow();
bool IsLiveWindow(const PlatformWindow *window);
void AddLiveWindow(PlatformWindow *window);
void RemoveLiveWindow(PlatformWindow *window);

// Calls the window's procedure at once, as a sent message.
LResult SendToWindow(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam);
// Forgets every window (their records are freed by their owner).
void ClearLiveWindows();
