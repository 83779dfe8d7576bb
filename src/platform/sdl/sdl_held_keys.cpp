// sdl_held_keys.cpp: keys held through a mode switch. SDL lets go of every
// held key when the focused window goes away, and from then on swallows the
// real release. Such a key stays held for the program until the key repeat
// shows it is still down (a repeated press within the deadline) or the
// deadline passes without one, which means it was let go: only then does it
// get its release.
#include <algorithm>
#include <vector>

#include "platform/core/message_queue.h"
#include "platform/core/message_words.h"
#include "platform/sdl/sdl_backend.h"

namespace {

struct HeldThroughSwitch {
  unsigned code;
  Uint32 deadline;  // SDL ticks
};

std::vector<HeldThroughSwitch> heldThroughSwitch;

// Longer than a desktop's key repeat delay (typically 250 to 660 ms).
constexpr Uint32 keyRepeatDeadlineMs = 1000;

}  // namespace

void HoldKeyThroughSwitch(unsigned code, Uint32 timestamp) {
  heldThroughSwitch.push_back(HeldThroughSwitch{code, timestamp + keyRepeatDeadlineMs});
}

void SettleHeldKey(unsigned code, bool down, LParam *lParam) {
  auto it = std::find_if(heldThroughSwitch.begin(), heldThroughSwitch.end(),
                         [code](const HeldThroughSwitch &held) { return held.code == code; });
  if (it == heldThroughSwitch.end()) return;
  heldThroughSwitch.erase(it);
  if (down) *lParam |= keyWasDown;
}

void ReleaseKeysPastDeadline() {
  Uint32 now = SDL_GetTicks();
  std::erase_if(heldThroughSwitch, [now](const HeldThroughSwitch &held) {
    if (!SDL_TICKS_PASSED(now, held.deadline)) return false;
    PostToQueue(nullptr, WM_KEYUP, held.code, keyRepeatCount | keyReleased);
    return true;
  });
}
