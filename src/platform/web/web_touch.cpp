// web_touch.cpp: the page's touch and pen pointers (Pointer Events; the
// mouse keeps its own events, web_events.cpp) become the viewer's gestures
// (platform/core/touch_gestures.h), and the gestures the program's
// messages and motion, here at the edge. The stage takes the gestures
// itself (touch-action: none in shell.html): no scrolling, no zoom. The
// sound may start at the end of the first touch, when the browser lets it.
#include <emscripten/emscripten.h>

#include "platform/core/cursor_model.h"
#include "platform/core/message_queue.h"
#include "platform/core/message_words.h"
#include "platform/core/touch_gestures.h"
#include "platform/web/web_backend.h"

namespace {

bool listening = false;

// Each pointer that is not a mouse, over the whole stage, in CSS pixels:
// the mouse's units, so the same motion tilts the view as far. Times are
// the page's clock when the event is handled (an event's own time stamp may
// count from elsewhere), the clock FollowTouchTime reads. The page's own
// reaction to a touch (the mouse events it would make up, a long press's
// menu) is kept from it.
EM_JS(void, ListenForTouchPointers, (const char *selector), {
  var stage = document.querySelector(UTF8ToString(selector));
  if (!stage) return;
  var touchLike = function(event) { return event.pointerType !== "mouse"; };
  stage.addEventListener("pointerdown", function(event) {
    if (!touchLike(event)) return;
    event.preventDefault();
    if (stage.setPointerCapture) try { stage.setPointerCapture(event.pointerId); } catch (e) {}
    _WebTouchDown(event.pointerId, event.clientX, event.clientY, performance.now());
  });
  stage.addEventListener("pointermove", function(event) {
    if (touchLike(event)) _WebTouchMove(event.pointerId, event.clientX, event.clientY);
  });
  stage.addEventListener("pointerup", function(event) {
    if (touchLike(event)) _WebTouchUp(event.pointerId, event.clientX, event.clientY, performance.now());
  });
  stage.addEventListener("pointercancel", function(event) {
    if (touchLike(event)) _WebTouchCancel(event.pointerId);
  });
  stage.addEventListener("contextmenu", function(event) { event.preventDefault(); });
});

EM_JS(double, PageClockMs, (), { return performance.now(); });

void PostActions(const TouchActions &actions) {
  for (const TouchAction &a : actions) switch (a.kind) {
      case touchTilt: ReportPointerMotion(a.dx, a.dy); break;
      case touchKeyDown: PostToQueue(nullptr, WM_KEYDOWN, a.key, keyRepeatCount); break;
      case touchKeyUp: PostToQueue(nullptr, WM_KEYUP, a.key, keyRepeatCount | keyReleased); break;
      case touchKeyTap: PostKeyTap(a.key); break;
      case touchClimbDown: PostToQueue(LiveWindow(), WM_RBUTTONDOWN, 0, 0); break;
      case touchClimbUp: PostToQueue(LiveWindow(), WM_RBUTTONUP, 0, 0); break;
    }
}

}  // namespace

// The page's touch events, from ListenForTouchPointers.
extern "C" {
EMSCRIPTEN_KEEPALIVE void WebTouchDown(int id, float x, float y, double ms) {
  TouchActions actions;
  TouchDown(id, x, y, ms, &actions);
  PostActions(actions);
}

EMSCRIPTEN_KEEPALIVE void WebTouchMove(int id, float x, float y) {
  TouchActions actions;
  TouchMove(id, x, y, &actions);
  PostActions(actions);
}

EMSCRIPTEN_KEEPALIVE void WebTouchUp(int id, float x, float y, double ms) {
  StartSoundOnGesture();
  TouchActions actions;
  TouchUp(id, x, y, ms, &actions);
  PostActions(actions);
}

EMSCRIPTEN_KEEPALIVE void WebTouchCancel(int id) {
  TouchActions actions;
  TouchCancel(id, &actions);
  PostActions(actions);
}
}

void ListenToTouches() {
  if (listening) return;
  listening = true;
  ListenForTouchPointers(stageSelector);
}

void FollowTouchTime() {
  TouchActions actions;
  TouchTime(PageClockMs(), &actions);
  PostActions(actions);
}

void LetGoOfTouches() {
  TouchActions actions;
  ReleaseTouches(&actions);
  PostActions(actions);
}
