// main_loop.cpp: one message per pass, or, when the queue is empty, one frame,
// its swap and its input; Esc ends the loop and F1 switches the display mode.
#include "app/main_loop.h"

#include "app/frame_input.h"
#include "app/frame_rate.h"
#include "app/scene_window.h"
#include "app/window_proc.h"
#include "scene/frame.h"

LaunchOptions launchOptions;

namespace {

enum PassResult { passGoesOn, passEndsLoop, passReopenFailed };

int OpenWindowInMode() {
  return OpenSceneWindow(windowTitle, windowWidth, windowHeight, windowBits, windowContext.fullscreen);
}

// F1 acts once per press: the latch holds until the key is released.
PassResult SwitchModeOnF1() {
  if (!keyState.slot[VK_F1]) {
    keyState.slot[fullscreenLatch] = 0;
    return passGoesOn;
  }
  if (keyState.slot[fullscreenLatch]) return passGoesOn;
  keyState.slot[fullscreenLatch] = 1;
  CloseSceneWindow();
  windowContext.fullscreen = !windowContext.fullscreen;
  return OpenWindowInMode() ? passGoesOn : passReopenFailed;
}

// A pass that found no message: draw (unless minimised), present, apply input.
PassResult RunFramePass(int *exitRequested) {
  if (windowContext.active && !RenderFrame()) {
    *exitRequested = 1;
    return passEndsLoop;
  }
  SwapDeviceBuffers(windowContext.deviceContext);
  if (launchOptions.showFrameRate) CountFrameForRate();
  ApplyFrameInput();
  if (keyState.slot[VK_ESCAPE]) *exitRequested = 1;
  PassResult result = SwitchModeOnF1();
  SettleKeyTaps();
  return result;
}

}  // namespace

int WinMain(InstanceHandle, InstanceHandle, char *, int) {
  Message message = {};  // never cleared: its last wParam is the exit code
  windowContext.fullscreen = launchOptions.windowed ? 0 : 1;
  int exitRequested = 0;
  if (!OpenWindowInMode()) return 0;
  do {
    if (PeekPlatformMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        exitRequested = 1;
      } else {
        TranslatePlatformMessage(&message);
        DispatchPlatformMessage(&message);
      }
    } else if (RunFramePass(&exitRequested) == passReopenFailed) {
      return 0;
    }
  } while (!exitRequested);
  CloseSceneWindow();
  return (int)message.wParam;
}
