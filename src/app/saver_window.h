// saver_window.h: Talmir as a screensaver: its window in another program's
// window or over the whole screen, the input that ends it, its settings box.
#pragma once

#include <cstdio>

#include "platform/platform.h"

// The host the launch options name (XScreenSaver's window, the root, or
// Windows' preview); 1 when it is there, else 0 with the reason on err.
int FindSaverHost(std::FILE *err);

// Makes the screensaver's window of the registered class: a child filling
// the host, or a topmost popup over the whole screen at its present mode.
// Sets width and height to its client size; null on failure.
WindowHandle CreateSaverWindow(const char *className, const char *title, int *width, int *height);

// Input to a screensaver's window: in a host it is the host's (XScreenSaver
// and Windows' preview own the keys and the mouse) and is let be; over the
// screen any key, click or move of more than a few pixels ends it. True
// when the message was input and has been dealt with.
bool SaverTakesInput(unsigned message, LParam lParam);

// The settings box (/c): owned by the window Windows names, if any. Returns
// the exit code.
int ShowSaverSettings();
