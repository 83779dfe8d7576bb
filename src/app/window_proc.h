// window_proc.h: the scene window's procedure and the held-key state it records.
#pragma once

#include "platform/platform.h"

inline constexpr int keyCodeCount = 256;  // virtual-key codes are 0-255

// What the one-shot keys remember between frames. A latch is set when its
// key has acted and holds until the key is released or pressed anew, so a
// held key acts once.
struct KeyLatches {
  unsigned char fullscreen;      // F1 has switched the display mode
  unsigned char lighting;        // L has flipped the lighting switch
  unsigned char lightingSwitch;  // the switch L flips; 0 at start
};

struct KeyState {
  unsigned char slot[keyCodeCount];  // 1 while the key with that virtual-key code is down
  KeyLatches latches;
};

extern KeyState keyState;  // program-wide, all 0 at start, kept across window switches

// A key pressed and released between two frames would be up again before the
// loop looks: its release waits for the next input step instead, so a quick
// tap of Esc, F1 or L still acts once.
struct KeyTaps {
  unsigned char pressedSinceInput[keyCodeCount];  // went down since the last input step
  unsigned char releaseWaiting[keyCodeCount];     // went up again, not yet recorded
};

extern KeyTaps keyTaps;  // program-wide, all 0 at start

// Whether the key went down afresh since the last input step. Such a press
// came after a release even where the loop never saw the key up in between,
// so it opens the key's latch.
bool PressedSinceInput(unsigned code);

// After the loop has acted on the keys: records the releases that waited.
void SettleKeyTaps();

LResult SceneWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
