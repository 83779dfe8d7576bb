// main_loop.cpp: one message per pass, or, when the queue is empty, one frame,
// its swap and its input; Esc ends the loop and F1 switches the display mode.
#include "app/main_loop.h"

#include "app/scene_window.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "scene/frame.h"

namespace {

const char *const windowTitle = "Talmir";
const int windowWidth = 1024;
const int windowHeight = 768;
const int windowBits = 16;

enum PassResult { passGoesOn, passEndsLoop, passReopenFailed };

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
  if (!OpenSceneWindow(windowTitle, windowWidth, windowHeight, windowBits, windowContext.fullscreen))
    return passReopenFailed;
  return passGoesOn;
}

// A pass that found no message: draw (unless minimised), present, apply input.
PassResult RunFramePass(int *exitRequested) {
  if (windowContext.active && !RenderFrame()) {
    *exitRequested = 1;
    return passEndsLoop;
  }
  SwapDeviceBuffers(windowContext.deviceContext);
  ApplyFrameInput();
  if (keyState.slot[VK_ESCAPE]) *exitRequested = 1;
  return SwitchModeOnF1();
}

}  // namespace

int WinMain(InstanceHandle, InstanceHandle, char *, int) {
  Message message = {};  // never cleared: its last wParam is the exit code
  windowContext.fullscreen = 1;
  int exitRequested = 0;
  if (!OpenSceneWindow(windowTitle, windowWidth, windowHeight, windowBits, windowContext.fullscreen))
    return 0;
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
