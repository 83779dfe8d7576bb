// Touches as the viewer's gestures: a drag's motion, a long press's climb,
// a double tap's F1, and the two-finger pinch and twist, each with what
// must not count as it.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/touch_gestures.h"
#include "platform/platform.h"

namespace {

struct Touch : testing::Test {
  TouchActions out;
  void SetUp() override { ResetTouchGestures(); }
  // What the calls since the last look produced.
  TouchActions Take() {
    TouchActions taken = out;
    out.clear();
    return taken;
  }
};

TouchAction Tilt(int dx, int dy) { return {touchTilt, 0, dx, dy}; }
TouchAction KeyDown(unsigned key) { return {touchKeyDown, key, 0, 0}; }
TouchAction KeyUp(unsigned key) { return {touchKeyUp, key, 0, 0}; }
const TouchAction climbDown = {touchClimbDown, 0, 0, 0}, climbUp = {touchClimbUp, 0, 0, 0};
const TouchAction f1Tap = {touchKeyTap, VK_F1, 0, 0};
const unsigned keyA = LetterKey('A'), keyS = LetterKey('S');

// Two fingers around (200, 200), distance apart, turned degrees clockwise
// from level: finger 1 on one side (side -1), finger 2 on the other (1).
float PlaceX(int side, float distance, float degrees) {
  return 200 + side * distance / 2 * std::cos(degrees * 3.14159265f / 180);
}
float PlaceY(int side, float distance, float degrees) {
  return 200 + side * distance / 2 * std::sin(degrees * 3.14159265f / 180);
}
void PlaceTwo(float distance, float degrees, TouchActions *out) {
  TouchMove(1, PlaceX(-1, distance, degrees), PlaceY(-1, distance, degrees), out);
  TouchMove(2, PlaceX(1, distance, degrees), PlaceY(1, distance, degrees), out);
}

}  // namespace

// Motion goes out in whole units as it comes; fractions add up rather than
// being lost; a drag ends in no tap.
TEST_F(Touch, OneFingerDragReportsItsMotion) {
  TouchDown(1, 100, 300, 0, &out);
  TouchMove(1, 100, 290, &out);
  TouchMove(1, 100.4f, 279.6f, &out);
  TouchMove(1, 100.8f, 279.2f, &out);
  EXPECT_EQ(Take(), (TouchActions{Tilt(0, -10), Tilt(0, -10), Tilt(1, -1)}));
  TouchUp(1, 100.8f, 279.2f, 80, &out);
  TouchTime(1000, &out);
  EXPECT_TRUE(Take().empty()) << "a drag is not a tap, and a lifted finger does not climb";
}

// A finger held still for the long-press time climbs until it lifts; a
// little trembling still counts as still, a real move does not.
TEST_F(Touch, APressHeldStillClimbsUntilItLifts) {
  TouchDown(1, 50, 50, 1000, &out);
  TouchMove(1, 53, 54, &out);
  TouchTime(1000 + touchLongPressMs - 1, &out);
  EXPECT_EQ(Take(), (TouchActions{Tilt(3, 4)}));
  TouchTime(1000 + touchLongPressMs, &out);
  TouchTime(1000 + touchLongPressMs + 100, &out);
  EXPECT_EQ(Take(), (TouchActions{climbDown}));
  TouchUp(1, 53, 54, 2000, &out);
  EXPECT_EQ(Take(), (TouchActions{climbUp}));

  TouchDown(1, 50, 50, 3000, &out);
  TouchMove(1, 50, 50 + touchStillDistance, &out);
  TouchMove(1, 50, 50, &out);
  TouchTime(4000, &out);
  TouchUp(1, 50, 50, 4000, &out);
  EXPECT_EQ(Take(), (TouchActions{Tilt(0, 10), Tilt(0, -10)})) << "moved away and back: no climb";
}

// Two quick still taps close together make F1 once; a third starts afresh.
// Taps too slow, too far apart or held too long make nothing.
TEST_F(Touch, ADoubleTapIsF1) {
  auto tap = [this](double ms, float x, double held = 50) {
    TouchDown(7, x, 100, ms, &out);
    TouchUp(7, x, 100, ms + held, &out);
  };
  tap(0, 100);
  tap(200, 110);
  EXPECT_EQ(Take(), (TouchActions{f1Tap}));
  tap(400, 110);
  EXPECT_TRUE(Take().empty()) << "the tap after a double tap is a first tap again";

  tap(10000, 100);
  tap(10050 + touchDoubleTapMs + 1, 100);
  tap(20000, 100);
  tap(20200, 100 + touchDoubleTapDistance);
  tap(30000, 100, touchTapMs + 1);
  tap(30400, 100);
  EXPECT_TRUE(Take().empty());
}

// Apart holds A, together S, each let go once the fingers come back near
// their start; clockwise holds Right, anticlockwise Left. Lifting a finger
// lets go of both; the finger left drags from where it is.
TEST_F(Touch, PinchAndTwistHoldKeys) {
  TouchDown(1, 150, 200, 0, &out);
  TouchDown(2, 250, 200, 10, &out);
  PlaceTwo(100 * touchPinchRatio + 1, 0, &out);
  PlaceTwo(100 * touchPinchRatio + 30, 0, &out);
  EXPECT_EQ(Take(), (TouchActions{KeyDown(keyA)}));
  PlaceTwo(100 * (touchPinchReleaseRatio + 0.02f), 0, &out);
  EXPECT_TRUE(Take().empty()) << "inside the hold threshold but not yet the release one";
  PlaceTwo(100, 0, &out);
  EXPECT_EQ(Take(), (TouchActions{KeyUp(keyA)}));
  PlaceTwo(100 / touchPinchRatio - 1, 0, &out);
  EXPECT_EQ(Take(), (TouchActions{KeyDown(keyS)}));

  PlaceTwo(100, touchTwistDegrees + 1, &out);
  EXPECT_EQ(Take(), (TouchActions{KeyUp(keyS), KeyDown(VK_RIGHT)}));
  PlaceTwo(100, -touchTwistDegrees - 1, &out);
  EXPECT_EQ(Take(), (TouchActions{KeyUp(VK_RIGHT), KeyDown(VK_LEFT)}));

  TouchUp(1, PlaceX(-1, 100, -touchTwistDegrees - 1), PlaceY(-1, 100, -touchTwistDegrees - 1), 500, &out);
  EXPECT_EQ(Take(), (TouchActions{KeyUp(VK_LEFT)}));
  TouchMove(2, 250, 170, &out);
  TouchTime(5000, &out);
  TouchUp(2, 250, 170, 5000, &out);
  ASSERT_EQ(Take().size(), 1u) << "the finger left drags, and neither climbs nor taps";
}

// A second finger ends a climb; a third finger is not followed; the page
// going away lets go of whatever is held.
TEST_F(Touch, SecondFingerEndsTheClimbAndReleaseLetsGoOfAll) {
  TouchDown(1, 150, 200, 0, &out);
  TouchTime(touchLongPressMs, &out);
  TouchDown(2, 250, 200, 600, &out);
  EXPECT_EQ(Take(), (TouchActions{climbDown, climbUp}));
  TouchDown(3, 400, 400, 650, &out);
  TouchMove(3, 10, 10, &out);
  EXPECT_TRUE(Take().empty());

  PlaceTwo(200, 30, &out);
  EXPECT_EQ(Take(), (TouchActions{KeyDown(keyA), KeyDown(VK_RIGHT)}));
  ReleaseTouches(&out);
  EXPECT_EQ(Take(), (TouchActions{KeyUp(keyA), KeyUp(VK_RIGHT)}));
  TouchMove(1, 0, 0, &out);
  TouchUp(2, 0, 0, 900, &out);
  EXPECT_TRUE(Take().empty()) << "fingers forgotten";
}
