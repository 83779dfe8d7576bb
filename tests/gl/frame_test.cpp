// One frame of the real scene in the real window (recording platform, Mesa):
// the state it leaves, its clock and random draws, its first picture, and
// that nothing done between frames (the L toggle) shows in the next one.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/frame_input.h"
#include "app/scene_window.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "scene/frame.h"
#include "scene/random_source.h"
#include "scene/terrain.h"
#include "support/image_compare.h"
#include "support/recording_platform.h"

namespace {

const int width = 1024, height = 768;

struct Frame : testing::Test {
  void SetUp() override { ASSERT_EQ(OpenSceneWindow("Talmir", width, height, 16, 0), 1); }
  void TearDown() override { CloseSceneWindow(); }
};

GLint Integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

void ExpectLight(GLenum name, std::vector<float> expected) {
  GLfloat values[4] = {};
  glGetLightfv(GL_LIGHT1, name, values);
  for (size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(values[k], expected[k]) << "light value " << k;
}

bool NearFog(const unsigned char *p) {
  return std::abs(p[0] - 128) <= 6 && std::abs(p[1] - 128) <= 6 && std::abs(p[2] - 153) <= 6;
}

// Everything a frame depends on besides the GL: enough to draw one frame twice.
struct SceneMoment {
  float clock;
  RandomState random;
  CameraState camera;
};
SceneMoment Now() { return SceneMoment{sceneClock, randomState, cameraState}; }
void GoBackTo(const SceneMoment &m) {
  sceneClock = m.clock;
  randomState = m.random;
  cameraState = m.camera;
}

void PressAndRelease(unsigned key) {
  keyState.slot[key] = 1;
  ApplyFrameInput();
  keyState.slot[key] = 0;
  ApplyFrameInput();
}

}  // namespace

TEST_F(Frame, LeavesBlendingOffAndDepthFogAndLightOn) {
  glEnable(GL_BLEND);
  glDisable(GL_FOG);
  glEnable(GL_LIGHT0);
  ASSERT_EQ(RenderFrame(), 1);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));  // never touched: the frame only enables light 1
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LESS);
  EXPECT_EQ(Integer(GL_FOG_HINT), GL_FASTEST);
  EXPECT_EQ(Integer(GL_FOG_MODE), GL_EXP);  // never set: the default
  GLfloat density, fog[4];
  glGetFloatv(GL_FOG_DENSITY, &density);
  glGetFloatv(GL_FOG_COLOR, fog);
  EXPECT_EQ(density, 0.002f);
  EXPECT_EQ(std::vector<float>(fog, fog + 4), (std::vector<float>{0.5f, 0.5f, 0.6f, 1.0f}));
  // Given under the identity matrix: eye coordinates are the values as given.
  ExpectLight(GL_AMBIENT, {0.5f, 0.5f, 0.6f, 1.0f});
  ExpectLight(GL_DIFFUSE, {1, 1, 1, 1});
  ExpectLight(GL_POSITION, {50, 50, 1, 1});
  ExpectLight(GL_SPOT_DIRECTION, {50, 50, 0});
  ExpectLight(GL_SPOT_CUTOFF, {180});
}

TEST_F(Frame, ClockGrowsBySevenHundredthsInSinglePrecisionAndEachFrameDrawsSixHundred) {
  float expected = 0.0f;
  for (int n = 1; n <= 5; ++n) {
    uint64_t before = randomState.word;
    RenderFrame();
    expected += 0.07f;
    ASSERT_EQ(sceneClock, expected) << "frame " << n;
    RandomState after = randomState;
    randomState.word = before;
    for (int d = 0; d < 600; ++d) Rand31();
    ASSERT_EQ(randomState.word, after.word) << "frame " << n;
  }
  EXPECT_EQ(sceneClock, 0.07f + 0.07f + 0.07f + 0.07f + 0.07f);
}

// Days and years of frames: placed where 1 hour, 5 days (at 60 a second) and
// a year (at 240) of frames leave the clock, and just before its next
// winding, the next frames turn the view and move the plants' waves by the
// same step as the first frames do. A float clock left to grow turned 11 %
// slow after a day and stood still from the fifth.
TEST_F(Frame, TheClockKeepsItsStepForAYearOfFrames) {
  // The view's turn alone: the tilt cancelled, read from the matrix.
  auto yawNow = [] {
    CameraState kept = cameraState;
    cameraState.pitch = 60.0f, cameraState.bank = 0.0f, cameraState.dolly = 0.0f;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyViewTransform(sceneClock);
    cameraState = kept;
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    return std::atan2(m[1], m[0]) * 180.0 / 3.14159265358979;
  };
  auto stepOf = [](double before, double after, double period) {
    return std::remainder(after - before, period);
  };
  const double fourPi = 4.0 * 3.14159265358979;
  const double frames[] = {0.0, 60.0 * 3600, 60.0 * 86400 * 5, 240.0 * 86400 * 365};
  for (double n : frames) {
    const double elapsed = n * 0.07;
    for (double placed : {elapsed, (std::floor(elapsed / 360) + 1) * 360 - 0.1}) {
      PlaceSceneClock(placed);
      RenderFrame();
      for (int frame = 1; frame <= 3; ++frame) {
        double yaw = yawNow(), wave = swayPhase + sceneClock;
        RenderFrame();
        EXPECT_NEAR(stepOf(yaw, yawNow(), 360.0), 0.28, 0.28e-3) << "clock placed at " << placed << ", frame " << frame;
        EXPECT_NEAR(stepOf(wave, swayPhase + sceneClock, fourPi), 0.07, 0.07e-3)
            << "clock placed at " << placed << ", frame " << frame;
      }
    }
  }
}

TEST_F(Frame, LightingToggleBetweenFramesChangesNothingDrawn) {
  SceneMoment before = Now();
  RenderFrame();
  TestImage lit = ReadGlFrame(width, height);
  GoBackTo(before);
  PressAndRelease('L');  // the first press enables lighting
  PressAndRelease('L');  // the second disables it
  ASSERT_FALSE(glIsEnabled(GL_LIGHTING));
  ASSERT_EQ(keyState.latches.lightingSwitch, 0);
  GoBackTo(before);
  RenderFrame();
  TestImage again = ReadGlFrame(width, height);
  ImageDifference d = CompareImages(lit, again);
  EXPECT_EQ(d.maxChannel, 0);
}

// The first frame, drawn from the ground's own height: the overlay's two
// lines at the top left, the sky in the fog's colour, plants over the land.
TEST_F(Frame, FirstFramePicture) {
  RenderFrame();
  TestImage frame = ReadGlFrame(width, height);
  if (const char *dump = std::getenv("TALMIR_DUMP_FRAMES")) SavePng(std::string(dump) + "/first.png", frame);
  // Text rows: glyphs of the credit line span overlay y 748..764 (rows 4..20
  // from the top), the version line 728..744 (rows 24..40). The light grey
  // text stands out; the rows between and below hold none of it.
  auto textPixels = [&](int top, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < 300; ++x) n += std::min({frame.At(x, y)[0], frame.At(x, y)[1], frame.At(x, y)[2]}) >= 150;
    return n;
  };
  EXPECT_GT(textPixels(4, 20), 150);
  EXPECT_GT(textPixels(24, 40), 150);
  EXPECT_EQ(textPixels(40, 64), 0);
  // The sky shows through in the fog's colour, and only above the land.
  int fog = 0, fogBelow = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (NearFog(frame.At(x, y))) (y < height / 2 ? fog : fogBelow)++;
  EXPECT_GT(fog, width * height / 400);
  EXPECT_EQ(fogBelow, 0);
  // The bushes: where each one's middle lands on the screen, a plant colour
  // (green over red and blue), over whatever land lies nearer.
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);  // the frame's view: the overlay pops its own
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  int onScreen = 0, green = 0;
  for (int k = 0; k < 100; ++k) {
    GLdouble sx, sy, sz;
    gluProject(clumpOffsetB[k] - 50, clumpOffsetA[k] - 50, cameraState.originZ + 2.5, model, projection, viewport,
               &sx, &sy, &sz);
    int x = (int)sx, y = height - 1 - (int)sy;
    if (x < 0 || x >= width || y < 44 || y >= height) continue;  // off screen or under the text
    ++onScreen;
    const unsigned char *p = frame.At(x, y);
    green += p[1] > p[0] && p[1] > p[2];
  }
  EXPECT_GT(onScreen, 10);
  EXPECT_GE(green * 10, onScreen * 7);
}
