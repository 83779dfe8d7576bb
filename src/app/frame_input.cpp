// frame_input.cpp: the input step after every swap, from the recorded keys
// and the cursor to the flight model and the lighting switch.
#include "app/frame_input.h"

#include "app/main_loop.h"
#include "app/scene_window.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "platform/platform.h"
#include "scene/frame.h"

namespace {

Point cursorPosition;  // where the cursor was found after the last frame

// L flips the lighting switch once per press: the latch holds until release.
void ToggleLightingOnL() {
  KeyLatches &latches = keyState.latches;
  constexpr unsigned keyL = LetterKey('L');
  bool held = keyState.slot[keyL] != 0;
  if (!held || PressedSinceInput(keyL)) latches.lighting = 0;
  if (!held || latches.lighting) return;
  latches.lighting = 1;
  latches.lightingSwitch = !latches.lightingSwitch;
  SwitchLighting(latches.lightingSwitch != 0);
}

}  // namespace

void ApplyFrameInput() {
  // A screensaver flies as the viewer does when nobody touches it.
  if (launchOptions.saver != saverOff) {
    ApplyFlightInput(FlightInput{});
    return;
  }
  GetCursorPosition(&cursorPosition);
  SetCursorPosition(cursorAnchorX, cursorAnchorY);
  const unsigned char *slot = keyState.slot;
  FlightInput input = {};
  input.pointerRise = cursorAnchorY - cursorPosition.y;
  input.rollLeft = slot[VK_LEFT] != 0;
  input.rollRight = slot[VK_RIGHT] != 0;
  input.moveForward = slot[LetterKey('A')] != 0;
  input.moveBack = slot[LetterKey('S')] != 0;
  ApplyFlightInput(input);
  ToggleLightingOnL();
}
