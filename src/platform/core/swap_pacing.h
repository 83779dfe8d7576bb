// swap_pacing.h: the swap's own pacing, one rule for every backend: vertical
// sync where the driver keeps it, else each swap waits out the rest of the
// display's refresh period itself. Tools turn it off (SetSwapPacing), and
// may watch every swap (SetSwapHook).
#pragma once

#include <chrono>

#include "platform/platform.h"

// What each backend's driver does for pacing: asks the current context for
// a swap interval (0: none, n: every n-th refresh); whether it took it.
bool SystemSetSwapInterval(int interval);

using PacingClock = std::chrono::steady_clock;

// A new context is current on a display of that refresh rate (Hz; 0 where
// it cannot be told): it is asked for vertical sync at the interval that
// brings the frame rate nearest 60 (or for none, where pacing is off), and
// the first swaps are measured again. The world steps once a frame, so it
// flies at the same speed on a 60 Hz and a 144 Hz display.
void StartSwapPacing(int refreshRate);
// The refreshes a frame that bring the frame rate nearest 60: 60 and 75 Hz
// 1, 120 and 144 Hz 2, 165 Hz 3, 240 Hz 4.
int SwapIntervalFor(int refreshRate);
// After a swap at `now`: when the next may come, the chosen number of
// refresh periods after the last, or now where the driver paces them (or
// pacing is off). After any stall (a slow frame, a night asleep) the next is
// due now, and the ones after it a period apart: no burst to catch up. The
// backend sleeps until then in its own way.
PacingClock::time_point NextSwapTime(double refreshPeriodSeconds, PacingClock::time_point now = PacingClock::now());
// The period of a display's refresh rate in Hz; 0 and 1 stand for the
// hardware's default, taken as 60.
double RefreshPeriod(int refreshRate);

// A page is called by the browser once a display refresh and cannot choose
// a swap interval: it draws on every n-th call instead, n by the same rule,
// from the calls' own measured interval (the browser's clock, in ms). True
// when this call is one to draw on. Gaps of a hidden or resting page are
// not counted as refreshes.
bool TakeAnimationFrame(double nowMs);

// Calls the tools' swap hook, if one is set, with the number of this swap.
void CallSwapHook();

// Pacing on, no hook, no swaps counted, as at start.
void ResetSwapPacing();
