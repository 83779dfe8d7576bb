// The view transform as the model-view matrix carries it (tilt, roll, the
// clock's yaw, the dolly), and input built up while the window is minimised
// acting on the first frame after it is restored.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "app/main_loop.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "scene/frame.h"
#include "support/recording_platform.h"

namespace {

struct Vector {
  double x, y, z;
};

struct ViewTransform : testing::Test {
  void SetUp() override { ASSERT_TRUE(MakeTestGLContextCurrent()); }
  // The view of the given pose, applied onto the identity.
  static void View(float pitch, float bank, float clock, float dolly) {
    cameraState.pitch = pitch;
    cameraState.bank = bank;
    cameraState.dolly = dolly;
    sceneClock = clock;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyViewTransform(sceneClock);
  }
  // Where a scene direction points in eye space (the eye looks along -z).
  static Vector Eye(Vector v, double w = 0.0) {
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    return Vector{m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12] * w, m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13] * w,
                  m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14] * w};
  }
};

const double degree = 3.14159265358979 / 180;

void ExpectDirection(Vector actual, Vector expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5);
  EXPECT_NEAR(actual.y, expected.y, 1e-5);
  EXPECT_NEAR(actual.z, expected.z, 1e-5);
}

}  // namespace

TEST_F(ViewTransform, TiltLooksThirtyDegreesDownAtRestAndUpWithNegativePitch) {
  const Vector lineOfSight = {0, 0, -1};
  View(0, 0, 0, 0);
  ExpectDirection(Eye({0, std::cos(30 * degree), -std::sin(30 * degree)}), lineOfSight);
  View(-30, 0, 0, 0);
  ExpectDirection(Eye({0, 1, 0}), lineOfSight);  // level
  View(-120, 0, 0, 0);
  ExpectDirection(Eye({0, 0, 1}), lineOfSight);  // straight up
  View(-180, 0, 0, 0);
  // Past the zenith: looking back, 30 degrees up, upside down.
  ExpectDirection(Eye({0, -std::cos(30 * degree), std::sin(30 * degree)}), lineOfSight);
  EXPECT_LT(Eye({0, 0, 1}).y, 0.0);
}

TEST_F(ViewTransform, PositiveBankTurnsThePictureCounterclockwise) {
  View(-30, 4, 0, 0);
  Vector right = Eye({1, 0, 0});  // the scene's x points to the right at bank 0
  EXPECT_NEAR(right.x, std::cos(4 * degree), 1e-6);
  EXPECT_NEAR(right.y, std::sin(4 * degree), 1e-6);  // turned up: counterclockwise
}

TEST_F(ViewTransform, ClockTurnsTheSceneFourDegreesPerUnitCounterclockwiseFromAbove) {
  View(-30, 0, 22.5f, 0);  // 90 degrees of yaw
  // The scene has turned a quarter left, so the viewer now looks along +x.
  ExpectDirection(Eye({1, 0, 0}), {0, 0, -1});
}

TEST_F(ViewTransform, DollyShiftsTheSceneAlongTheLineOfSightLast) {
  View(-45, 3, 1.0f, 14);
  Vector origin = Eye({0, 0, 0}, 1.0);
  EXPECT_NEAR(origin.x, 0, 1e-6);
  EXPECT_NEAR(origin.y, 0, 1e-6);
  EXPECT_NEAR(origin.z, 14, 1e-6);  // positive: the scene comes closer
}

// While minimised the loop draws nothing but still applies input after every
// swap: the dolly and the pitch speed pile up, and the first frame drawn after
// the restore shows all of it at once.
TEST(MinimisedWindow, InputBuiltUpActsOnTheFirstFrameAfter) {
  const int minimiseAfter = 3, restoreAfter = 9;
  float clockWhenMinimised = 0, dollyWhenRestored = 0, firstTranslation = 0;
  SetTestSwapHook([&](int swap) {
    if (swap == minimiseAfter) {
      QueueTestMessage(WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0);
      QueueTestMessage(WM_KEYDOWN, 'A', 0);
      clockWhenMinimised = sceneClock;
    }
    if (swap > minimiseAfter && swap <= restoreAfter) SetTestCursorPosition(512, 374);
    if (swap == restoreAfter) {
      EXPECT_EQ(sceneClock, clockWhenMinimised);  // no frame drawn meanwhile
      QueueTestMessage(WM_KEYUP, 'A', 0);
      QueueTestMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    }
    if (swap == restoreAfter + 1) {
      GLfloat m[16];
      glGetFloatv(GL_MODELVIEW_MATRIX, m);  // the view the frame was drawn with
      firstTranslation = m[14];
      dollyWhenRestored = cameraState.dolly;
      QueueTestMessage(WM_CLOSE, 0, 0);
    }
  });
  EXPECT_EQ(WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW), 0);
  // A was down for the input steps after swaps 4 to 9: six steps, no frames.
  EXPECT_EQ(dollyWhenRestored, 6 * 7.0f);
  EXPECT_EQ(firstTranslation, dollyWhenRestored);
  // Six 10-pixel moves up, never decayed while minimised, give a speed of -6;
  // the one frame after decays it once: pitch -6 x 0.7 x 0.5.
  EXPECT_NEAR(cameraState.pitch, -2.1f, 1e-5);
}
