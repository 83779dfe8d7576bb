// window_proc.h: the scene window's procedure and the held-key state it records.
#pragma once

#include "platform/platform.h"

// Slots 0-255 are 1 while the key with that virtual-key code is down; the
// three slots after them are latches and a flag of the main loop and the camera.
enum : int { fullscreenLatch = 256, lightingLatch = 257, lightingFlag = 258, keyStateSlots = 259 };

struct KeyState {
  unsigned char slot[keyStateSlots];
};

extern KeyState keyState;  // program-wide, all 0 at start, kept across window switches

// A key pressed and released between two frames would be up again before the
// loop looks: its release waits for the next input step instead, so a quick
// tap of Esc, F1 or L still acts once.
struct KeyTaps {
  unsigned char pressedSinceInput[256];  // went down since the last input step
  unsigned char releaseWaiting[256];     // went up again, not yet recorded
};

extern KeyTaps keyTaps;  // program-wide, all 0 at start

// Whether the key went down afresh since the last input step. Such a press
// came after a release even where the loop never saw the key up in between,
// so it opens the key's latch.
bool PressedSinceInput(unsigned code);

// After the loop has acted on the keys: records the releases that waited.
void SettleKeyTaps();

LResult SceneWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
