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

// A context made current on a display of that rate (0: cannot be told),
// its driver taking vertical sync or not.
void NewContext(bool driverTakesSync, int refreshRate = 0) {
  SetTestSwapIntervalAccepted(driverTakesSync);
  StartSwapPacing(refreshRate);
}

PacingClock::duration Seconds(double seconds) {
  return std::chrono::duration_cast<PacingClock::duration>(std::chrono::duration<double>(seconds));
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
  EXPECT_EQ(second - first, Seconds(aSecond));
  // A frame after a stall of five periods is due at once, not periods back in the past.
  NewContext(false);
  const double shortPeriod = 0.02;
  NextSwapTime(shortPeriod);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  PacingClock::time_point before = PacingClock::now();
  PacingClock::time_point due = NextSwapTime(shortPeriod);
  EXPECT_GE(due, before);
  EXPECT_LE(due, PacingClock::now());
  // A night asleep between two swaps (the clock driven): one swap at once,
  // then a period apart again, not the night's periods caught up.
  NewContext(false);
  PacingClock::time_point morning = NextSwapTime(shortPeriod) + std::chrono::hours(10);
  EXPECT_EQ(NextSwapTime(shortPeriod, morning), morning);
  EXPECT_EQ(NextSwapTime(shortPeriod, morning + Seconds(0.001)), morning + Seconds(shortPeriod));
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

// The world steps once a frame: on any display the frames come near 60 a
// second, the driver asked to show each for as many refreshes as that takes.
TEST(SwapPacing, TheSwapIntervalBringsTheFrameRateNearestSixty) {
  const std::pair<int, int> rates[] = {{0, 1}, {30, 1}, {60, 1}, {75, 1}, {90, 2}, {120, 2},
                                       {144, 2}, {165, 3}, {240, 4}, {360, 6}};
  for (auto [rate, interval] : rates) {
    EXPECT_EQ(SwapIntervalFor(rate), interval) << rate << " Hz";
    NewContext(true, rate);
    EXPECT_EQ(SwapIntervalAsked(), interval) << rate << " Hz";
  }
  SetSwapPacing(0);
  NewContext(true, 144);
  EXPECT_EQ(SwapIntervalAsked(), 0);
}

TEST(SwapPacing, WithoutVerticalSyncA144HertzDisplayGetsAFrameEveryTwoRefreshes) {
  NewContext(false, 144);
  const double period = 1.0 / 144;
  PacingClock::time_point first = NextSwapTime(period);
  PacingClock::time_point second = NextSwapTime(period);
  EXPECT_EQ(second - first, Seconds(2 * period));
  NewContext(false, 60);
  first = NextSwapTime(1.0 / 60);
  second = NextSwapTime(1.0 / 60);
  EXPECT_EQ(second - first, Seconds(1.0 / 60));
}

TEST(SwapPacing, RefreshRatesOfZeroAndOneStandForTheDefaultSixty) {
  EXPECT_DOUBLE_EQ(RefreshPeriod(0), 1.0 / 60);
  EXPECT_DOUBLE_EQ(RefreshPeriod(1), 1.0 / 60);
  EXPECT_DOUBLE_EQ(RefreshPeriod(144), 1.0 / 144);
}

// The browser calls the page once a refresh: after the measured start the
// page draws on every n-th call, n by the swap's rule, so a 144 Hz screen
// shows 72 frames a second and a 60 Hz one all 60.
TEST(SwapPacing, APageDrawsOnEveryNthAnimationFrameByTheMeasuredRefreshRate) {
  for (auto [rate, every] : {std::pair<double, int>{60, 1}, {75, 1}, {120, 2}, {144, 2}, {165, 3}, {240, 4}}) {
    ResetSwapPacing();
    double period = 1000.0 / rate, now = 0.0;
    int drawn = 0, calls = 0;
    // A slow first frame and a late call now and then do not change the measure.
    for (; calls < 30; ++calls) drawn += TakeAnimationFrame(now += (calls == 1 ? 80.0 : period)) ? 1 : 0;
    EXPECT_EQ(drawn, 30) << rate << " Hz: every call is drawn while measuring";
    drawn = 0;
    for (int i = 0; i < 120 * every; ++i) drawn += TakeAnimationFrame(now += period) ? 1 : 0;
    EXPECT_EQ(drawn, 120) << rate << " Hz";
  }
}

TEST(SwapPacing, APageBackFromRestDrawsAtOnceAndPacingOffDrawsEveryCall) {
  ResetSwapPacing();
  double now = 0.0;
  for (int i = 0; i < 30; ++i) TakeAnimationFrame(now += 1000.0 / 144);
  EXPECT_TRUE(TakeAnimationFrame(now += 1000.0 / 144));
  EXPECT_FALSE(TakeAnimationFrame(now += 1000.0 / 144));
  EXPECT_TRUE(TakeAnimationFrame(now += 2000.0));  // hidden for two seconds
  EXPECT_FALSE(TakeAnimationFrame(now += 1000.0 / 144));
  EXPECT_TRUE(TakeAnimationFrame(now += 10 * 3600e3));  // hidden for a night: one frame, then every other
  EXPECT_FALSE(TakeAnimationFrame(now += 1000.0 / 144));
  EXPECT_TRUE(TakeAnimationFrame(now += 1000.0 / 144));
  SetSwapPacing(0);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(TakeAnimationFrame(now += 1000.0 / 144));
}
