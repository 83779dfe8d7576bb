// swap_pacing.h: the swap's own pacing, one rule for every backend: vertical
// sync where the driver keeps it, else each swap waits out the rest of the
// display's refresh period itself. Tools turn it off.
#pragma once

#include <chrono>

using PacingClock = std::chrono::steady_clock;

struct SwapPacing {
  bool on = true;            // off: swaps come as fast as frames are drawn
  bool driverPaces = false;  // the driver took vertical sync and shows it
  int measuredSwaps = 0;
  PacingClock::time_point measureStart, nextSwapDue;
};

extern SwapPacing swapPacing;  // within the backend; on at start

// A new context has asked its driver for vertical sync (driverTookSync says
// whether it agreed): the first swaps are measured again.
void RestartSwapPacing(bool driverTookSync);
// After a swap: when the next may come, or now where the driver paces them
// (or pacing is off). The backend sleeps until then in its own way.
PacingClock::time_point NextSwapTime(double refreshPeriodSeconds);
