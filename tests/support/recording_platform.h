// recording_platform.h: the tests' backend of the platform layer. The
// program runs on the platform's own shared core (the real queue, windows
// and handles); this backend is the system under it, and records every
// platform call in order on the way in, fails any chosen call, answers
// message boxes as scripted, and gives the program a real offscreen Mesa GL
// context (EGL pbuffer, 1024x768, 8 bits a channel, 16-bit depth).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

struct RecordedMessageBox {
  WindowHandle owner;
  std::string text;
  std::string caption;
  unsigned type;
  int answer;
};

// Forgets calls, boxes, failures and scripts, in the middle of a test.
void ResetRecording();
// Everything back as at process start: the recording, the windows, classes,
// contexts, queue, cursor, focus, hooks and counters (between tests).
void ResetTestPlatform();

// Every platform call so far, one line each: the procedure's name, then its
// notable arguments, e.g. "ShowMessageBox owner=0 caption=ERROR type=0x30 text=...".
const std::vector<std::string> &RecordedCalls();
// Just the names of the calls, in order.
std::vector<std::string> RecordedCallNames();
// The calls whose name is one of the given ones, in order (names only).
std::vector<std::string> RecordedCallNames(const std::vector<std::string> &only);
const std::vector<RecordedMessageBox> &RecordedMessageBoxes();

// Makes the nth call (1 = the next) of the named procedure fail, from now on
// counted; e.g. FailPlatformCall("SetPixelFormat").
void FailPlatformCall(const std::string &name, int nth = 1);

// Answers for the next message boxes, in order. Without a script an OK box
// answers IDOK and a Yes/No box 0 (closed without a choice).
void ScriptMessageBoxAnswers(const std::vector<int> &answers);

// Whether the display offers the fullscreen mode (default: yes).
void SetFullscreenModeAvailable(bool available);

// Input for the program: a message queued as if the platform had produced it
// (the window is the current one when null), and the real cursor position.
// SimulateKey queues a key for whichever window is live at dispatch.
void QueueTestMessage(unsigned message, WParam wParam, LParam lParam, WindowHandle window = nullptr);
void SetTestCursorPosition(int x, int y);
void SetTestFocusWindow(WindowHandle window);

// Whether a context's driver takes the swap interval it is asked for
// (default: no, as a driver that cannot sync).
void SetTestSwapIntervalAccepted(bool accepted);
// The display's refresh rate a context is made current on (default 0:
// cannot be told), and the swap interval last asked of the driver (-1: none).
void SetTestRefreshRate(int hertz);
// Another program's window the test offers as a host, by its system id,
// with its client size; the screen's size at its present mode.
void AddTestHostWindow(uint64_t systemId, int width, int height);
void SetTestScreenSize(int width, int height);
// The parent the last window was created with (null: none).
WindowHandle LastWindowParent();
int SwapIntervalAsked();

// Runs after every SwapDeviceBuffers with the swap's number (1 = first), so a
// test can feed input between frames.
void SetTestSwapHook(std::function<void(int swapNumber)> hook);
int SwapCount();

// What GetProgramFolder answers (empty: that it cannot tell, the default).
void SetTestProgramFolder(const std::string &folder);

// The window the program created last (null when none exists) and its state.
WindowHandle CurrentTestWindow();
int LiveWindowCount();
bool TestWindowIsFullscreen();
Rect TestWindowRect();  // screen rectangle given at creation
int CursorShowCount();
bool DisplayModeChanged();
int PlayedSoundCount();
// The window classes still registered, by name.
std::vector<std::string> RegisteredTestClasses();

// Makes a bare GL context current without going through the program's window
// opening, for tests of GL code alone. Returns false when no context can be made.
bool MakeTestGLContextCurrent(int width = 1024, int height = 768);
