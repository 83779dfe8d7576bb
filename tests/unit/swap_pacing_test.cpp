// The swap's pacing rule that every backend follows: vertical sync is
// trusted only once the first swaps show it, else each swap waits out a
// refresh period, and a slow frame earns no burst of quick swaps after it.
#include <gtest/gtest.h>

#include <thread>

#include "platform/core/swap_pacing.h"
#include "support/recording_platform.h"

namespace {

const double aSecond = 1.0;  // a period far longer than the test's own calls take

// Whether the next swap may come at once (its time is not after the moment
// just after asking).
bool DueAtOnce(double period = aSecond) {
  PacingClock::time_point due = NextSwapTime(period);
  return due <= PacingClock::now();
}

// A context made current, its driver taking vertical sync or not.
void NewContext(bool driverTakesSync) {
  SetTestSwapIntervalAccepted(driverTakesSync);
  StartSwapPacing();
}

}  // namespace

TEST(SwapPacing, ADriverThatSwapsFasterThanTheDisplayIsPacedByTheSwapItself) {
  NewContext(true);
  PacingClock::time_point start = PacingClock::now();
  for (int swap = 1; swap <= 20; ++swap)
    ASSERT_TRUE(DueAtOnce()) << "swap " << swap << " is measured, not held back";
  // The 21st: twenty swaps came well within fourteen periods, so the driver
  // is not trusted, and from now on the swap waits a period itself.
  NextSwapTime(aSecond);
  PacingClock::time_point due = NextSwapTime(aSecond);
  EXPECT_GE(due, start + std::chrono::milliseconds(900));
  EXPECT_LE(due, PacingClock::now() + std::chrono::milliseconds(1000));
}

TEST(SwapPacing, WithoutVerticalSyncSwapsComeOnePeriodApartAndASlowFrameEarnsNoBurst) {
  NewContext(false);
  PacingClock::time_point first = NextSwapTime(aSecond);
  PacingClock::time_point second = NextSwapTime(aSecond);
  EXPECT_EQ(second - first, std::chrono::duration_cast<PacingClock::duration>(std::chrono::duration<double>(aSecond)));
  // A frame after a stall of five periods is due at once, not periods back in the past.
  NewContext(false);
  const double shortPeriod = 0.02;
  NextSwapTime(shortPeriod);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  PacingClock::time_point before = PacingClock::now();
  PacingClock::time_point due = NextSwapTime(shortPeriod);
  EXPECT_GE(due, before);
  EXPECT_LE(due, PacingClock::now());
}

TEST(SwapPacing, OffMeansEverySwapAtOnceAndATrustedDriverNeedsNoWait) {
  SetSwapPacing(0);
  NewContext(true);
  EXPECT_TRUE(DueAtOnce());
  EXPECT_TRUE(DueAtOnce());
  SetSwapPacing(1);
  // Swaps a nanosecond's period apart cannot come too fast: the driver is kept.
  NewContext(true);
  for (int swap = 1; swap <= 21; ++swap) NextSwapTime(1e-9);
  EXPECT_TRUE(DueAtOnce());
}

TEST(SwapPacing, RefreshRatesOfZeroAndOneStandForTheDefaultSixty) {
  EXPECT_DOUBLE_EQ(RefreshPeriod(0), 1.0 / 60);
  EXPECT_DOUBLE_EQ(RefreshPeriod(1), 1.0 / 60);
  EXPECT_DOUBLE_EQ(RefreshPeriod(144), 1.0 / 144);
}
