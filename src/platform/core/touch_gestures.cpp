// touch_gestures.cpp: the fingers down, what they hold, and the last tap.
// One finger drags, climbs or taps; a second turns the gesture into a
// pinch and twist, measured against the two fingers' distance and angle
// when the second went down, until one lifts.
#include "platform/core/touch_gestures.h"

#include <cmath>

#include "platform/platform.h"

namespace {

struct Finger {
  int id;
  float x, y;            // where it is
  float startX, startY;  // where it went down
  double startMs;
  float sentX, sentY;    // the motion already reported, from the start, whole units
  bool moved;            // has left its start by the still distance
};

struct TouchGestures {
  Finger fingers[2];
  int count;
  bool twoFingers;  // a second finger has been down since the first went down: no tap, no climb
  bool climbing;
  unsigned pinchKey, twistKey;  // 0, or the key held
  float startDistance, startAngle;
  bool tapWaiting;  // a tap that a second may make a double tap
  double tapMs;
  float tapX, tapY;
};

TouchGestures touch;

constexpr double pi = 3.14159265358979323846;

Finger *FindFinger(int id) {
  for (int i = 0; i < touch.count; ++i)
    if (touch.fingers[i].id == id) return &touch.fingers[i];
  return nullptr;
}

float Distance(float x0, float y0, float x1, float y1) { return std::hypot(x1 - x0, y1 - y0); }

float FingersDistance() {
  const Finger &a = touch.fingers[0], &b = touch.fingers[1];
  return Distance(a.x, a.y, b.x, b.y);
}

// In degrees, growing clockwise on a screen whose y grows downwards.
float FingersAngle() {
  const Finger &a = touch.fingers[0], &b = touch.fingers[1];
  return (float)(std::atan2(b.y - a.y, b.x - a.x) * 180.0 / pi);
}

// The angle's change from the start, wrapped to -180..180.
float TwistDegrees() {
  float turn = std::fmod(FingersAngle() - touch.startAngle, 360.0f);
  if (turn > 180.0f) turn -= 360.0f;
  if (turn < -180.0f) turn += 360.0f;
  return turn;
}

void Add(TouchActions *out, TouchActionKind kind, unsigned key = 0, int dx = 0, int dy = 0) {
  out->push_back(TouchAction{kind, key, dx, dy});
}

// Holds key in place of what slot held (0: nothing).
void Hold(unsigned *slot, unsigned key, TouchActions *out) {
  if (*slot == key) return;
  if (*slot != 0) Add(out, touchKeyUp, *slot);
  if (key != 0) Add(out, touchKeyDown, key);
  *slot = key;
}

// The key a measure holds: on past the hold threshold, kept until it comes
// back inside the release threshold, off otherwise.
unsigned KeyFor(float measure, float hold, float release, unsigned held, unsigned positive, unsigned negative) {
  if (measure >= hold || (held == positive && measure > release)) return positive;
  if (measure <= -hold || (held == negative && measure < -release)) return negative;
  return 0;
}

// The pinch as a signed measure: the log of the distance's ratio, so that
// apart and together by the same ratio weigh the same.
void FollowTwoFingers(TouchActions *out) {
  float ratio = touch.startDistance > 0.0f ? FingersDistance() / touch.startDistance : 1.0f;
  float pinch = ratio > 0.0f ? std::log(ratio) : -1e9f;
  Hold(&touch.pinchKey,
       KeyFor(pinch, std::log(touchPinchRatio), std::log(touchPinchReleaseRatio), touch.pinchKey,
              LetterKey('A'), LetterKey('S')),
       out);
  Hold(&touch.twistKey,
       KeyFor(TwistDegrees(), touchTwistDegrees, touchTwistReleaseDegrees, touch.twistKey, VK_RIGHT, VK_LEFT), out);
}

void LetGoOfKeys(TouchActions *out) {
  Hold(&touch.pinchKey, 0, out);
  Hold(&touch.twistKey, 0, out);
}

void StopClimbing(TouchActions *out) {
  if (!touch.climbing) return;
  touch.climbing = false;
  Add(out, touchClimbUp);
}

// A finger's motion since it was last reported, in whole units; what is
// left over is reported with the next.
void ReportDrag(Finger &f, TouchActions *out) {
  float totalX = std::round(f.x - f.startX), totalY = std::round(f.y - f.startY);
  int dx = (int)(totalX - f.sentX), dy = (int)(totalY - f.sentY);
  f.sentX = totalX;
  f.sentY = totalY;
  if (dx != 0 || dy != 0) Add(out, touchTilt, 0, dx, dy);
}

// A finger that starts to count from where it is now (the one left when
// the other lifts).
void RestartFinger(Finger &f) {
  f.startX = f.x;
  f.startY = f.y;
  f.sentX = f.sentY = 0.0f;
  f.moved = true;
}

void ForgetFinger(int id) {
  for (int i = 0; i < touch.count; ++i)
    if (touch.fingers[i].id == id) {
      if (i == 0 && touch.count == 2) touch.fingers[0] = touch.fingers[1];
      --touch.count;
      return;
    }
}

// A finger lifted from a one-finger gesture: a quick still one is a tap,
// and a tap soon after another, near it, is a double tap.
void EndOneFinger(const Finger &f, double ms, TouchActions *out) {
  if (touch.climbing) {
    StopClimbing(out);
    return;
  }
  if (touch.twoFingers || f.moved || ms - f.startMs > touchTapMs) return;
  if (touch.tapWaiting && f.startMs - touch.tapMs <= touchDoubleTapMs &&
      Distance(f.x, f.y, touch.tapX, touch.tapY) < touchDoubleTapDistance) {
    touch.tapWaiting = false;
    Add(out, touchKeyTap, VK_F1);
    return;
  }
  touch.tapWaiting = true;
  touch.tapMs = ms;
  touch.tapX = f.x;
  touch.tapY = f.y;
}

}  // namespace

void TouchDown(int id, float x, float y, double ms, TouchActions *out) {
  if (touch.count == 2 || FindFinger(id) != nullptr) return;
  touch.fingers[touch.count++] = Finger{id, x, y, x, y, ms, 0.0f, 0.0f, false};
  if (touch.count == 1) {
    touch.twoFingers = false;
    return;
  }
  touch.twoFingers = true;
  StopClimbing(out);
  touch.startDistance = FingersDistance();
  touch.startAngle = FingersAngle();
}

void TouchMove(int id, float x, float y, TouchActions *out) {
  Finger *f = FindFinger(id);
  if (f == nullptr) return;
  f->x = x;
  f->y = y;
  if (Distance(x, y, f->startX, f->startY) >= touchStillDistance) f->moved = true;
  if (touch.count == 1)
    ReportDrag(*f, out);
  else
    FollowTwoFingers(out);
}

void TouchUp(int id, float x, float y, double ms, TouchActions *out) {
  Finger *f = FindFinger(id);
  if (f == nullptr) return;
  TouchMove(id, x, y, out);
  Finger lifted = *f;
  ForgetFinger(id);
  if (touch.count == 1) {
    LetGoOfKeys(out);
    RestartFinger(touch.fingers[0]);
  } else if (touch.count == 0) {
    EndOneFinger(lifted, ms, out);
  }
}

void TouchCancel(int id, TouchActions *out) {
  if (FindFinger(id) == nullptr) return;
  ForgetFinger(id);
  LetGoOfKeys(out);
  if (touch.count == 1) RestartFinger(touch.fingers[0]);
  if (touch.count == 0) StopClimbing(out);
}

void TouchTime(double ms, TouchActions *out) {
  if (touch.count != 1 || touch.twoFingers || touch.climbing) return;
  const Finger &f = touch.fingers[0];
  if (f.moved || ms - f.startMs < touchLongPressMs) return;
  touch.climbing = true;
  touch.tapWaiting = false;
  Add(out, touchClimbDown);
}

void ReleaseTouches(TouchActions *out) {
  LetGoOfKeys(out);
  StopClimbing(out);
  touch.count = 0;
  touch.twoFingers = false;
  touch.tapWaiting = false;
}

void ResetTouchGestures() { touch = TouchGestures{}; }
