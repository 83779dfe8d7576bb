// touch_gestures.h: fingers (or a pen) on a touch screen as the viewer's own
// controls, for a backend whose system reports touches:
//   one finger dragged        tilts the view, as the mouse moves it
//   two fingers pinched       apart: forward (A held); together: back (S)
//   two fingers twisted       clockwise: roll right (Right held); anticlockwise: Left
//   one finger held still     climbs (the right button held) until it lifts
//   a double tap              F1 (fullscreen)
// The model only turns touches into actions; the backend posts them as the
// program's messages and motion. Places are in the screen's own units (a
// page's CSS pixels), the mouse's units for the same motion; times in ms.
#pragma once

#include <vector>

enum TouchActionKind : unsigned char {
  touchTilt,       // dx, dy: motion, as the mouse's
  touchKeyDown,    // key: a virtual-key code pressed and held
  touchKeyUp,      // key: released
  touchKeyTap,     // key: pressed and released at once
  touchClimbDown,  // the right button pressed
  touchClimbUp,    // and released
};

struct TouchAction {
  TouchActionKind kind;
  unsigned key;
  int dx, dy;
  bool operator==(const TouchAction &) const = default;
};

using TouchActions = std::vector<TouchAction>;

// How the gestures are told apart.
inline constexpr double touchLongPressMs = 500;  // held this long, still: a climb
inline constexpr double touchTapMs = 250;        // down and up within this: a tap
inline constexpr double touchDoubleTapMs = 350;  // from one tap's end to the next's start
inline constexpr float touchStillDistance = 10;  // moved less than this from where it went down: still
inline constexpr float touchDoubleTapDistance = 40;
inline constexpr float touchPinchRatio = 1.15f;         // the distance's change that holds A or S
inline constexpr float touchPinchReleaseRatio = 1.07f;  // and lets it go, back nearer the start
inline constexpr float touchTwistDegrees = 15;          // the turn that holds Left or Right
inline constexpr float touchTwistReleaseDegrees = 8;

// A finger (pointer id) goes down, moves, lifts, or is taken away by the
// system (no tap then). Only the first two fingers down count.
void TouchDown(int id, float x, float y, double ms, TouchActions *out);
void TouchMove(int id, float x, float y, TouchActions *out);
void TouchUp(int id, float x, float y, double ms, TouchActions *out);
void TouchCancel(int id, TouchActions *out);
// The time now, at every frame: a finger held still long enough climbs.
void TouchTime(double ms, TouchActions *out);
// Whatever the fingers hold is let go and the fingers are forgotten (the
// page was hidden while they were down).
void ReleaseTouches(TouchActions *out);
// No finger down and nothing held, as at start.
void ResetTouchGestures();
