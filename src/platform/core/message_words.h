// message_words.h: how the platform layer packs the words of the messages it
// makes, as Windows packs them, so that every backend sends the same bits.
#pragma once

#include "platform/platform.h"

// Two 16-bit values in one long: sizes (width low, height high) and points.
inline LParam PackWords(int low, int high) {
  return (LParam)((unsigned)(low & 0xFFFF) | ((unsigned)(high & 0xFFFF) << 16));
}

// A key message's long: the repeat count 1 in the low word, the scan code in
// bits 16-23. Bit 30 says the key was already down (a repeat or a release),
// bit 31 that it is going up; a release carries both.
inline constexpr LParam keyRepeatCount = 1;
inline constexpr LParam keyWasDown = (LParam)1 << 30;
inline constexpr LParam keyGoingUp = (LParam)1 << 31;
inline constexpr LParam keyReleased = keyWasDown | keyGoingUp;

inline LParam KeyScanCode(unsigned scanCode) { return (LParam)(scanCode & 0xFF) << 16; }

// The message of a mouse button going down or up (1 left, 2 middle, 3
// right); 0 for any other button.
inline unsigned MouseButtonMessage(int button, bool down) {
  switch (button) {
    case 1: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case 2: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    case 3: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  }
  return 0;
}
