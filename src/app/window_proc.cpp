// window_proc.cpp: records keys, right-button presses and the minimised state,
// and turns window events into program actions.
#include "app/window_proc.h"

#include "app/main_loop.h"
#include "app/saver_window.h"
#include "app/scene_window.h"
#include "camera/camera.h"

KeyState keyState;
KeyTaps keyTaps;

namespace {

unsigned LowWord(uintptr_t value) { return (unsigned)(value & 0xFFFF); }
unsigned HighWord(uintptr_t value) { return (unsigned)((value >> 16) & 0xFFFF); }

// Codes from 256 up are not keys and have no slot.
void RecordKeyDown(WParam code) {
  if (code >= keyCodeCount) return;
  if (!keyState.slot[code]) keyTaps.pressedSinceInput[code] = 1;  // not the key repeat
  keyTaps.releaseWaiting[code] = 0;
  keyState.slot[code] = 1;
}

// Any release levels the roll for a frame, whichever key it was.
void RecordKeyUp(WParam code) {
  cameraState.bankDirection = 0.0f;
  if (code >= keyCodeCount) return;
  if (keyTaps.pressedSinceInput[code])
    keyTaps.releaseWaiting[code] = 1;
  else
    keyState.slot[code] = 0;
}

}  // namespace

bool PressedSinceInput(unsigned code) { return code < keyCodeCount && keyTaps.pressedSinceInput[code] != 0; }

void SettleKeyTaps() {
  for (int code = 0; code < keyCodeCount; ++code) {
    if (!keyTaps.releaseWaiting[code]) continue;
    cameraState.bankDirection = 0.0f;
    keyState.slot[code] = 0;
  }
  keyTaps = KeyTaps{};
}

LResult SceneWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
  if (launchOptions.saver != saverOff) {
    if (SaverTakesInput(message, lParam)) return 0;
    // The host went and took the screensaver's window with it.
    if (message == WM_DESTROY) PostQuitMessage(0);
  }
  switch (message) {
    case WM_ACTIVATE:
      windowContext.active = HighWord(wParam) == 0 ? 1 : 0;
      return 0;
    case WM_SIZE:
      ResizeScene((int)LowWord((uintptr_t)lParam), (int)HighWord((uintptr_t)lParam));
      return 0;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_SYSCOMMAND:
      // The screen saver and the monitor's power-down are refused.
      if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
      break;
    case WM_KEYDOWN:
      RecordKeyDown(wParam);
      return 0;
    case WM_KEYUP:
      RecordKeyUp(wParam);
      return 0;
    case WM_RBUTTONDOWN:
      cameraState.climbButton += 1.0f;
      return 0;
    case WM_RBUTTONUP:
      cameraState.climbButton -= 1.0f;
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
      return 0;
  }
  return DefaultWindowProc(window, message, wParam, lParam);
}
