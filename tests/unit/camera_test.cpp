// The flight model frame by frame: the climb and its cap, the pitch with its
// inertia and clamp, the bank and its easing back to level, the dolly, and
// the render origin's one-frame lag. Input arrives as the real window
// procedure records it; the cursor through the recording platform.
#include <gtest/gtest.h>

#include "app/frame_input.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "support/recording_platform.h"

namespace {

const CameraState &c = cameraState;

void Send(unsigned message, WParam wParam = 0) { SceneWindowProc(nullptr, message, wParam, 0); }

// The loop's input step after a swap: the input applied, then the key
// releases that waited for it.
void InputStep() {
  ApplyFrameInput();
  SettleKeyTaps();
}

// One pass of the loop as far as the camera sees it: the frame's advance,
// then the input step after the swap.
void Frame() {
  AdvanceCamera();
  InputStep();
}

// Frames until the predicate holds; the count, or -1 after `limit`.
template <typename Predicate>
int FramesUntil(Predicate done, int limit = 1000) {
  for (int n = 1; n <= limit; ++n) {
    Frame();
    if (done()) return n;
  }
  return -1;
}

}  // namespace

TEST(Camera, FirstFrameDrawsAtZeroThenRestsAtTen) {
  AdvanceCamera();
  EXPECT_EQ(c.originZ, 0.0f);  // the altitude before this frame's change
  EXPECT_EQ(c.altitude, 10.0f);
  AdvanceCamera();
  EXPECT_EQ(c.originX, 0.0f);
  EXPECT_EQ(c.originY, 0.0f);
  EXPECT_EQ(c.originZ, -10.0f);
  EXPECT_EQ(c.altitude, 10.0f);
}

TEST(Camera, RightButtonClimbsToTwentyFiveOnTheSeventeenthFrameAndSinksBack) {
  AdvanceCamera();
  Send(WM_RBUTTONDOWN);
  for (int n = 1; n <= 16; ++n) {
    AdvanceCamera();
    ASSERT_LT(c.altitude, 25.0f) << "frame " << n;
    ASSERT_GT(c.altitude, 10.0f);
  }
  AdvanceCamera();
  EXPECT_EQ(c.altitude, 25.0f);
  AdvanceCamera();
  EXPECT_EQ(c.altitude, 25.0f);
  EXPECT_EQ(c.originZ, -25.0f);
  Send(WM_RBUTTONUP);
  AdvanceCamera();
  EXPECT_EQ(c.originZ, -25.0f);  // drawn at the height of the frame before
  EXPECT_FLOAT_EQ(c.altitude, 25.0f - 0.89f);
  EXPECT_EQ(FramesUntil([] { return c.altitude == 10.0f; }), 16);
}

TEST(Camera, ClimbingNeedsAtLeastOnePressMoreThanReleases) {
  AdvanceCamera();
  Send(WM_RBUTTONUP);  // a release without a press (the press went to another window)
  Send(WM_RBUTTONDOWN);
  AdvanceCamera();
  EXPECT_EQ(c.altitude, 10.0f);
  Send(WM_RBUTTONDOWN);
  AdvanceCamera();
  EXPECT_FLOAT_EQ(c.altitude, 10.89f);
}

TEST(Camera, MouseUpTiltsUpWithInertia) {
  SetTestCursorPosition(512, 384 - 30);  // 30 pixels up
  InputStep();
  EXPECT_FLOAT_EQ(c.pitchRate, -3.0f);
  SetTestCursorPosition(512, 384);  // the input step puts it back itself
  for (int n = 0; n < 200; ++n) Frame();
  // The decay comes before the sum: -3 x (0.7 + 0.49 + ...) = -3 x 0.7 / 0.3.
  EXPECT_NEAR(c.pitchSum, -7.0f, 1e-4);
  EXPECT_NEAR(c.pitch, -3.5f, 1e-4);
  EXPECT_NEAR(c.pitchRate, 0.0f, 1e-6);
}

TEST(Camera, InputStepPutsTheCursorBackOnItsAnchor) {
  SetTestCursorPosition(100, 700);
  InputStep();
  Point p;
  GetCursorPosition(&p);
  EXPECT_EQ(p.x, 512);
  EXPECT_EQ(p.y, 384);
  // Horizontal motion turns nothing: only the vertical part counts.
  EXPECT_FLOAT_EQ(c.pitchRate, (700 - 384) * 0.1f);
}

TEST(Camera, PitchStopsAtMinusOneEightyWhileItsSumWindsOn) {
  auto moveUp = [] { SetTestCursorPosition(512, 284); };
  moveUp();
  int frames = FramesUntil([&] {
    moveUp();
    return c.pitch == -180.0f;
  });
  ASSERT_GT(frames, 0);
  for (int n = 0; n < 20; ++n) {
    moveUp();
    Frame();
    ASSERT_EQ(c.pitch, -180.0f);
  }
  EXPECT_LT(c.pitchSum, -500.0f);
  // Down again: the view stays at the clamp until the sum is back above -360.
  auto moveDown = [] { SetTestCursorPosition(512, 484); };
  int back = FramesUntil([&] {
    moveDown();
    return c.pitch > -180.0f;
  });
  ASSERT_GT(back, 1);
  EXPECT_GT(c.pitchSum, -360.0f);
  EXPECT_EQ(c.pitch, c.pitchSum * 0.5f);
}

TEST(Camera, MouseDownFromRestKeepsPitchAtZeroAndWindsTheSumUp) {
  for (int n = 0; n < 10; ++n) {
    SetTestCursorPosition(512, 434);
    Frame();
    ASSERT_EQ(c.pitch, 0.0f);
  }
  EXPECT_GT(c.pitchSum, 10.0f);
}

TEST(Camera, LeftRollsToMinusFourOnTheTwentiethFrameAndEasesBackToExactlyLevel) {
  Send(WM_KEYDOWN, VK_LEFT);
  InputStep();
  EXPECT_EQ(c.bankDirection, 1.0f);
  EXPECT_EQ(FramesUntil([] { return c.bank <= -4.0f; }), 20);
  EXPECT_EQ(c.bank, -4.0f);
  Frame();
  EXPECT_EQ(c.bank, -4.0f);
  Send(WM_KEYUP, VK_LEFT);
  EXPECT_EQ(c.bankDirection, 0.0f);
  EXPECT_EQ(FramesUntil([] { return c.bank >= 0.0f; }), 20);
  EXPECT_EQ(c.bank, 0.0f);
  Frame();
  EXPECT_EQ(c.bank, 0.0f);  // no overshoot
}

TEST(Camera, RightWinsWhenBothAreHeldAndRollsTowardPlusFour) {
  Send(WM_KEYDOWN, VK_LEFT);
  Send(WM_KEYDOWN, VK_RIGHT);
  InputStep();
  EXPECT_EQ(c.bankDirection, -1.0f);
  EXPECT_EQ(FramesUntil([] { return c.bank >= 4.0f; }), 20);
  EXPECT_EQ(c.bank, 4.0f);
}

TEST(Camera, AnyKeyReleaseLevelsForOneFrameThenTheHeldKeyTakesOver) {
  Send(WM_KEYDOWN, VK_LEFT);
  InputStep();
  for (int n = 0; n < 5; ++n) Frame();
  float rolled = c.bank;
  Send(WM_KEYUP, 'Q');  // any key's release
  AdvanceCamera();
  EXPECT_NEAR(c.bank, rolled + 0.2f, 1e-6);
  InputStep();  // Left is still down
  AdvanceCamera();
  EXPECT_NEAR(c.bank, rolled, 1e-6);
}

TEST(Camera, AAndSMoveAlongTheLineOfSightAndCancelEachOther) {
  Send(WM_KEYDOWN, 'A');
  for (int n = 0; n < 3; ++n) InputStep();
  EXPECT_EQ(c.dolly, 21.0f);
  Send(WM_KEYDOWN, 'S');
  for (int n = 0; n < 3; ++n) InputStep();
  EXPECT_EQ(c.dolly, 21.0f);
  Send(WM_KEYUP, 'A');
  InputStep();
  EXPECT_EQ(c.dolly, 14.0f);
}
