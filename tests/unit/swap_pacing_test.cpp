// The swap's pacing rule that every backend follows: vertical sync is
// trusted only once the first swaps show it, else each swap waits out a
// refresh period, and a slow frame earns no burst of quick swaps after it.
#include <gtest/gtest.h>

#include "platform/swap_pacing.h"

namespace {

const double aSecond = 1.0;  // a period far longer than the test's own calls take

// Whether the next swap may come at once (its time is not after the moment
// just after asking).
bool DueAtOnce() {
  PacingClock::time_point due = NextSwapTime(aSecond);
  return due <= PacingClock::now();
}

}  // namespace

TEST(SwapPacing, ADriverThatSwapsFasterThanTheDisplayIsPacedByTheSwapItself) {
  swapPacing = SwapPacing{};
  RestartSwapPacing(true);
  PacingClock::time_point start = PacingClock::now();
  for (int swap = 1; swap <= 20; ++swap)
    ASSERT_TRUE(DueAtOnce()) << "swap " << swap << " is measured, not held back";
  EXPECT_TRUE(swapPacing.driverPaces);
  NextSwapTime(aSecond);  // the 21st: twenty swaps came well within fourteen periods
  EXPECT_FALSE(swapPacing.driverPaces);
  PacingClock::time_point due = NextSwapTime(aSecond);
  EXPECT_GE(due, start + std::chrono::milliseconds(900));
  EXPECT_LE(due, PacingClock::now() + std::chrono::milliseconds(1000));
}

TEST(SwapPacing, WithoutVerticalSyncSwapsComeOnePeriodApartAndASlowFrameEarnsNoBurst) {
  swapPacing = SwapPacing{};
  RestartSwapPacing(false);
  PacingClock::time_point first = NextSwapTime(aSecond);
  PacingClock::time_point second = NextSwapTime(aSecond);
  EXPECT_EQ(second - first, std::chrono::duration_cast<PacingClock::duration>(std::chrono::duration<double>(aSecond)));
  // The frame after a long stall is due at once, not a period back in the past.
  swapPacing.nextSwapDue = PacingClock::now() - std::chrono::seconds(10);
  PacingClock::time_point before = PacingClock::now();
  EXPECT_GE(NextSwapTime(aSecond), before);
}

TEST(SwapPacing, OffMeansEverySwapAtOnceAndATrustedDriverNeedsNoWait) {
  swapPacing = SwapPacing{};
  swapPacing.on = false;
  EXPECT_TRUE(DueAtOnce());
  EXPECT_TRUE(DueAtOnce());
  swapPacing = SwapPacing{};
  RestartSwapPacing(true);
  swapPacing.measuredSwaps = 21;  // measured and kept
  EXPECT_TRUE(DueAtOnce());
}
