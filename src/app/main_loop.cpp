// main_loop.cpp: one message per pass, or, when the queue is empty, one frame,
// its swap and its input; Esc ends the loop, F1 switches the display mode
// and F12 saves the picture.
#include "app/main_loop.h"

#include "app/frame_input.h"
#include "app/frame_rate.h"
#include "app/scene_window.h"
#include "app/screenshot.h"
#include "app/window_proc.h"
#include "scene/frame.h"

LaunchOptions launchOptions;

namespace {

// The loop's own state for one run.
struct MainLoop {
  Message message;    // never cleared: its last wParam is the exit code
  int exitRequested;  // Esc, the quit message or a frame that failed
  int exitCode;
  int screenshotLatch;  // F12 has saved its picture and is still down
  bool ended;
};

MainLoop loop;

int OpenWindowInMode() {
  return OpenSceneWindow(windowTitle, windowWidth, windowHeight, windowBits, windowContext.fullscreen);
}

// F1 acts once per press: the latch holds until the key is released, or
// pressed anew between two frames.
// 0 when the window could not be opened again.
int SwitchModeOnF1() {
  KeyLatches &latches = keyState.latches;
  if (!keyState.slot[VK_F1] || PressedSinceInput(VK_F1)) latches.fullscreen = 0;
  if (!keyState.slot[VK_F1] || latches.fullscreen) return 1;
  latches.fullscreen = 1;
  CloseSceneWindow();
  windowContext.fullscreen = !windowContext.fullscreen;
  return OpenWindowInMode();
}

// F12 acts once per press too, with the same latch rule. It saves the frame
// just drawn, read back before the swap presents it; reading leaves the
// picture as it is.
void SaveScreenshotOnF12() {
  if (!keyState.slot[VK_F12] || PressedSinceInput(VK_F12)) loop.screenshotLatch = 0;
  if (!keyState.slot[VK_F12] || loop.screenshotLatch) return;
  loop.screenshotLatch = 1;
  SaveScreenshot(stdout, stderr);
}

// A pass that found no message: draw (unless minimised), present, apply
// input. 0 when the window could not be opened again after F1.
int RunFramePass() {
  if (windowContext.active) {
    if (!RenderFrame()) {
      loop.exitRequested = 1;
      return 1;
    }
    SaveScreenshotOnF12();
  }
  SwapDeviceBuffers(windowContext.deviceContext);
  if (launchOptions.showFrameRate) CountFrameForRate();
  ApplyFrameInput();
  if (keyState.slot[VK_ESCAPE]) loop.exitRequested = 1;
  int reopened = SwitchModeOnF1();
  SettleKeyTaps();
  return reopened;
}

PassOutcome EndLoop(int exitCode) {
  loop.exitCode = exitCode;
  loop.ended = true;
  return loopEnded;
}

}  // namespace

int BeginMainLoop() {
  loop = MainLoop{};
  windowContext.fullscreen = launchOptions.windowed || launchOptions.saver != saverOff ? 0 : 1;
  if (OpenWindowInMode()) return 1;
  EndLoop(0);
  return 0;
}

PassOutcome RunMainLoopPass() {
  if (loop.ended) return loopEnded;
  PassOutcome outcome = passTookMessage;
  if (PeekPlatformMessage(&loop.message, nullptr, 0, 0, PM_REMOVE)) {
    if (loop.message.message == WM_QUIT) {
      loop.exitRequested = 1;
    } else {
      TranslatePlatformMessage(&loop.message);
      DispatchPlatformMessage(&loop.message);
    }
  } else {
    // A failed reopen ends the program at once: nothing is left to close.
    if (!RunFramePass()) return EndLoop(0);
    outcome = passDrewFrame;
  }
  if (!loop.exitRequested) return outcome;
  CloseSceneWindow();
  return EndLoop((int)loop.message.wParam);
}

int MainLoopExitCode() { return loop.exitCode; }

int WinMain(InstanceHandle, InstanceHandle, char *, int) {
  if (!BeginMainLoop()) return 0;
  while (RunMainLoopPass() != loopEnded) {
  }
  return MainLoopExitCode();
}
