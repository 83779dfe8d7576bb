// swap_pacing.cpp: vertical sync trusted only once the swaps show it, else
// a swap every refresh period, with no burst after a slow frame.
#include "platform/core/swap_pacing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

struct SwapPacing {
  bool on = true;            // off: swaps come as fast as frames are drawn
  bool driverPaces = false;  // the driver took vertical sync and shows it
  int interval = 1;          // refresh periods a frame
  int measuredSwaps = 0;
  PacingClock::time_point measureStart, nextSwapDue;
};

SwapPacing pacing;

// A driver that says it took vertical sync must show it over this many
// swaps: a display shows a frame a refresh, so 20 swaps may not come in
// under 7/10 of 20 refresh periods (the rest is room for a late timer).
constexpr int swapsToMeasure = 20;
constexpr int slowestSyncedShareTenths = 7;

constexpr int defaultRefreshRate = 60;
// The frame rate the world's steps are made for.
constexpr double framesASecond = 60.0;

SwapHook swapHook = nullptr;
int swapCount = 0;

// The page's animation frames: measured over the first calls (the median
// interval, so that a slow first frame or two does not count), every call
// drawn meanwhile.
struct AnimationFrames {
  double lastMs = -1.0;
  std::vector<double> intervals;
  int drawEvery = 1;
  int sinceDrawn = 0;
};

AnimationFrames animationFrames;
constexpr size_t intervalsToMeasure = 30;
// Longer than any display's refresh: the page rested in between.
constexpr double restingGapMs = 100.0;

int MeasuredRefreshRate(std::vector<double> intervals) {
  std::nth_element(intervals.begin(), intervals.begin() + intervals.size() / 2, intervals.end());
  double median = intervals[intervals.size() / 2];
  return median > 0.0 ? (int)std::lround(1000.0 / median) : 0;
}

}  // namespace

int SwapIntervalFor(int refreshRate) {
  if (refreshRate <= 1) return 1;
  return std::max(1, (int)std::lround(refreshRate / framesASecond));
}

void StartSwapPacing(int refreshRate) {
  if (!pacing.on) {
    SystemSetSwapInterval(0);
    return;
  }
  pacing.interval = SwapIntervalFor(refreshRate);
  pacing.driverPaces = SystemSetSwapInterval(pacing.interval);
  pacing.measuredSwaps = 0;
  pacing.nextSwapDue = PacingClock::now();
}

double RefreshPeriod(int refreshRate) { return 1.0 / (refreshRate > 1 ? refreshRate : defaultRefreshRate); }

PacingClock::time_point NextSwapTime(double refreshPeriodSeconds, PacingClock::time_point now) {
  SwapPacing &p = pacing;
  if (!p.on) return now;
  auto period = std::chrono::duration_cast<PacingClock::duration>(
      std::chrono::duration<double>(refreshPeriodSeconds * p.interval));
  if (p.driverPaces && p.measuredSwaps <= swapsToMeasure) {
    if (p.measuredSwaps++ == 0) p.measureStart = now;
    if (p.measuredSwaps > swapsToMeasure &&
        now - p.measureStart < period * swapsToMeasure * slowestSyncedShareTenths / 10)
      p.driverPaces = false;
    p.nextSwapDue = now;
    return now;
  }
  if (p.driverPaces) return now;
  p.nextSwapDue += period;
  if (p.nextSwapDue < now) p.nextSwapDue = now;  // a slow frame does not earn a burst after it
  return p.nextSwapDue;
}

bool TakeAnimationFrame(double nowMs) {
  AnimationFrames &a = animationFrames;
  double interval = a.lastMs < 0.0 ? restingGapMs : nowMs - a.lastMs;
  a.lastMs = nowMs;
  if (a.intervals.size() < intervalsToMeasure) {
    if (interval < restingGapMs) a.intervals.push_back(interval);
    if (a.intervals.size() == intervalsToMeasure) a.drawEvery = SwapIntervalFor(MeasuredRefreshRate(a.intervals));
    return true;
  }
  if (!pacing.on || interval >= restingGapMs || ++a.sinceDrawn >= a.drawEvery) {
    a.sinceDrawn = 0;
    return true;
  }
  return false;
}

void SetSwapPacing(int on) {
  pacing.on = on != 0;
  if (GetCurrentRenderingContext() != nullptr) SystemSetSwapInterval(on ? pacing.interval : 0);
}

void SetSwapHook(SwapHook hook) { swapHook = hook; }

// The count starts again at 1 rather than overflow: at 240 swaps a second an
// int lasts about a hundred days.
void CallSwapHook() {
  swapCount = swapCount == std::numeric_limits<int>::max() ? 1 : swapCount + 1;
  if (swapHook != nullptr) swapHook(swapCount);
}

void ResetSwapPacing() {
  pacing = SwapPacing{};
  animationFrames = AnimationFrames{};
  swapHook = nullptr;
  swapCount = 0;
}
