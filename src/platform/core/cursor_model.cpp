// cursor_model.cpp: GetCursorPosition, SetCursorPosition and the tools'
// motion over the backend's pointer.
#include "platform/core/cursor_model.h"


namespace {

struct CursorModel {
  Point anchor;
  bool placed;           // the program has put the cursor somewhere
  bool relative;         // the system cannot put the pointer back: motion is added up
  Point motion;          // relative motion since the anchor
  Point simulated;       // motion fed by tools
};

CursorModel cursor;

}  // namespace

void ReportPointerMotion(int dx, int dy) {
  cursor.motion.x += dx;
  cursor.motion.y += dy;
}

void ForgetPointerMotion() { cursor.motion = Point{0, 0}; }

bool PointerMotionIsRelative() { return cursor.relative; }

int GetCursorPosition(Point *position) {
  *position = cursor.anchor;
  if (!cursor.placed) {
    SystemReadPointer(position);
  } else if (SystemPointerIsOurs()) {
    if (cursor.relative) {
      position->x += cursor.motion.x;
      position->y += cursor.motion.y;
    } else {
      SystemReadPointer(position);
    }
  }
  position->x += cursor.simulated.x;
  position->y += cursor.simulated.y;
  return 1;
}

int SetCursorPosition(int x, int y) {
  cursor.anchor = Point{x, y};
  cursor.placed = true;
  cursor.motion = cursor.simulated = Point{0, 0};
  if (!SystemPointerIsOurs()) return 1;
  if (!cursor.relative && !SystemWarpPointer(x, y)) cursor.relative = true;
  SystemPointerPlaced(cursor.relative);
  return 1;
}

void SimulateMouseMotion(int dx, int dy) {
  cursor.simulated.x += dx;
  cursor.simulated.y += dy;
}

void ResetCursorModel() { cursor = CursorModel{}; }
