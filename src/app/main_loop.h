// main_loop.h: the program's entry and its one loop of messages and frames.
#pragma once

#include "platform/platform.h"

// How the entry was asked to start; set before the loop begins. All 0 is the
// viewer's own start: fullscreen, with the question where the mode is missing.
// A screensaver flies by itself: in another program's window (XScreenSaver's,
// or Windows' preview), or over the whole screen at its present mode until
// the user moves (Windows' /s); or it only shows its settings box.
enum SaverMode : unsigned char { saverOff, saverInHost, saverOnScreen, saverSettings };

struct LaunchOptions {
  unsigned char windowed;       // open a window first: no display-mode change, no question
  unsigned char showFrameRate;  // print the frames per second once a second
  unsigned char saver;          // a SaverMode
  unsigned char hostGiven;      // hostWindow names the window (else none was given)
  uint64_t hostWindow;          // the host's system id, or hostRootWindow
};

extern LaunchOptions launchOptions;  // program-wide, all 0 at start

// Opens the window, runs the loop until Esc or the window is closed, closes
// it again. Returns the process exit code: 0 when the window cannot be
// opened, otherwise the wParam of the last message taken.
int WinMain(InstanceHandle instance, InstanceHandle previous, char *commandLine, int showCommand);

// The same loop a pass at a time, for a platform that must hand control back
// between frames (a web page draws when the browser asks): WinMain is
// BeginMainLoop, then RunMainLoopPass until it says the loop has ended.
enum PassOutcome { passTookMessage, passDrewFrame, loopEnded };
// Opens the window; 0 when it cannot (the loop has then ended, with code 0).
int BeginMainLoop();
// One pass: one message, or one frame with its swap and input. Once the loop
// ends it has closed the window (or failed to reopen it) and says loopEnded.
PassOutcome RunMainLoopPass();
// The exit code, once the loop has ended.
int MainLoopExitCode();
