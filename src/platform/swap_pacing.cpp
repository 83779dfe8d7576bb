// swap_pacing.cpp: vertical sync trusted only once the swaps show it, else
// a swap every refresh period, with no burst after a slow frame.
#include "platform/swap_pacing.h"

SwapPacing swapPacing;

namespace {

const int swapsToMeasure = 20;

}  // namespace

void RestartSwapPacing(bool driverTookSync) {
  swapPacing.driverPaces = driverTookSync;
  swapPacing.measuredSwaps = 0;
  swapPacing.nextSwapDue = PacingClock::now();
}

PacingClock::time_point NextSwapTime(double refreshPeriodSeconds) {
  SwapPacing &p = swapPacing;
  PacingClock::time_point now = PacingClock::now();
  if (!p.on) return now;
  auto period = std::chrono::duration_cast<PacingClock::duration>(std::chrono::duration<double>(refreshPeriodSeconds));
  // A driver that accepted vertical sync must show it: the first swaps may
  // not come faster than the display could show them.
  if (p.driverPaces && p.measuredSwaps <= swapsToMeasure) {
    if (p.measuredSwaps++ == 0) p.measureStart = now;
    if (p.measuredSwaps > swapsToMeasure && now - p.measureStart < period * swapsToMeasure * 7 / 10)
      p.driverPaces = false;
    p.nextSwapDue = now;
    return now;
  }
  if (p.driverPaces) return now;
  p.nextSwapDue += period;
  if (p.nextSwapDue < now) p.nextSwapDue = now;  // a slow frame does not earn a burst after it
  return p.nextSwapDue;
}
