// web_cursor.cpp: the pointer under the cursor model. A page cannot see
// where the pointer is on the screen nor put it anywhere: its motion is
// added up while it is locked to the canvas (web_events.cpp), and before
// the program places it the pointer counts as resting at the canvas's
// centre, where the program anchors it.
#include <emscripten/emscripten.h>

#include "platform/core/cursor_model.h"
#include "platform/web/web_backend.h"

namespace {

EM_JS(void, ShowCanvasCursor, (const char *selector, int show), {
  var canvas = document.querySelector(UTF8ToString(selector));
  if (canvas) canvas.style.cursor = show ? "" : "none";
});

}  // namespace

void SystemReadPointer(Point *position) {
  if (PlatformWindow *canvas = LiveWindow()) *position = Point{canvas->clientWidth / 2, canvas->clientHeight / 2};
}

// The page's input always reaches the canvas.
bool SystemPointerIsOurs() { return true; }

bool SystemWarpPointer(int, int) { return false; }

void SystemPointerPlaced(bool) {}

void SystemShowCursor(bool visible) { ShowCanvasCursor(canvasSelector, visible ? 1 : 0); }
