// web_events.cpp: the page's key, mouse, pointer-lock, fullscreen and
// visibility events become the program's messages here, at the edge. Key
// codes are the browser's keyCode, which keeps the Windows virtual-key
// values; the cursor's motion counts while the pointer is locked to the
// canvas. A hidden page rests (web_rest.cpp), and what was held when it
// went is let go: the key-ups and button-ups of a page in the background
// never come.
#include <emscripten/html5.h>

#include "platform/core/cursor_model.h"
#include "platform/core/message_queue.h"
#include "platform/core/message_words.h"
#include "platform/web/web_backend.h"

namespace {

bool pointerLocked = false;
bool listening = false;
bool keyHeld[256];
bool buttonHeld[3];  // left, middle, right

LParam KeyLParam(const EmscriptenKeyboardEvent *key, bool down) {
  LParam lParam = keyRepeatCount;
  if (key->altKey) lParam |= KEY_CONTEXT_ALT;
  if (key->repeat) lParam |= keyWasDown;
  if (!down) lParam |= keyReleased;
  return lParam;
}

// The keys whose browser action would get in the way: F1 opens help, the
// arrows, space and the page keys scroll. Other keys keep their browser
// meaning (reloading, closing the tab, the developer tools).
bool KeepFromBrowser(unsigned code) {
  return code == VK_F1 || code == VK_SPACE || (code >= VK_PRIOR && code <= VK_DOWN);
}

// Esc cannot end a page: it leaves fullscreen and lets the pointer go,
// which the browser does for it in fullscreen or pointer lock anyway.
void LetGoOnEscape() {
  if (pointerLocked) emscripten_exit_pointerlock();
  PageLeftFullscreen();
  LeavePageFullscreen();
}

// Keys pressed with Alt, Alt itself and F10 are system keys, as on Windows.
EM_BOOL OnKey(int eventType, const EmscriptenKeyboardEvent *key, void *) {
  unsigned code = (unsigned)key->keyCode;
  bool down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
  if (down) StartSoundOnGesture();
  if (code == 0 || code > 255) return EM_FALSE;
  if (code == VK_ESCAPE) {
    if (down) LetGoOnEscape();
    return EM_FALSE;
  }
  bool system = key->altKey || code == VK_MENU || code == VK_F10;
  unsigned message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  keyHeld[code] = down;
  PostToQueue(nullptr, message, code, KeyLParam(key, down));
  return KeepFromBrowser(code) ? EM_TRUE : EM_FALSE;
}

// The page numbers its buttons from 0 (left, middle, right); the program from 1.
void PostButton(const EmscriptenMouseEvent *mouse, bool down) {
  unsigned message = MouseButtonMessage(mouse->button + 1, down);
  if (message == 0) return;
  buttonHeld[mouse->button] = down;
  PostToQueue(LiveWindow(), message, 0, PackWords((int)mouse->targetX, (int)mouse->targetY));
}

// Everything held goes up, as if let go; motion not yet taken is dropped.
void LetGoOfEverything() {
  for (unsigned code = 0; code < 256; ++code)
    if (keyHeld[code]) {
      keyHeld[code] = false;
      PostToQueue(nullptr, WM_KEYUP, code, keyRepeatCount | keyReleased);
    }
  for (int button = 0; button < 3; ++button)
    if (buttonHeld[button]) {
      buttonHeld[button] = false;
      PostToQueue(LiveWindow(), MouseButtonMessage(button + 1, false), 0, 0);
    }
  LetGoOfTouches();
  ForgetPointerMotion();
}

// A click on the canvas locks the pointer to it, for the tilt.
EM_BOOL OnMouseDown(int, const EmscriptenMouseEvent *mouse, void *) {
  StartSoundOnGesture();
  if (!pointerLocked) emscripten_request_pointerlock(canvasSelector, EM_FALSE);
  PostButton(mouse, true);
  return EM_TRUE;
}

// Releases count wherever the pointer is, so a button let go off the canvas
// does not stay down.
EM_BOOL OnMouseUp(int, const EmscriptenMouseEvent *mouse, void *) {
  PostButton(mouse, false);
  return EM_FALSE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent *mouse, void *) {
  if (pointerLocked) ReportPointerMotion((int)mouse->movementX, (int)mouse->movementY);
  PostToQueue(LiveWindow(), WM_MOUSEMOVE, 0, PackWords((int)mouse->targetX, (int)mouse->targetY));
  return EM_FALSE;
}

EM_BOOL OnPointerLockChange(int, const EmscriptenPointerlockChangeEvent *change, void *) {
  pointerLocked = change->isActive;
  ForgetPointerMotion();
  return EM_FALSE;
}

EM_BOOL OnFullscreenChange(int, const EmscriptenFullscreenChangeEvent *change, void *) {
  if (!change->isFullscreen) PageLeftFullscreen();
  return EM_FALSE;
}

EM_BOOL OnVisibilityChange(int, const EmscriptenVisibilityChangeEvent *change, void *) {
  if (change->hidden) LetGoOfEverything();
  SetPageRest(pageHidden, change->hidden);
  return EM_FALSE;
}

}  // namespace

void ListenToPage() {
  if (listening) return;
  listening = true;
  const char *window = EMSCRIPTEN_EVENT_TARGET_WINDOW, *document = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
  emscripten_set_keydown_callback(window, nullptr, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(window, nullptr, EM_TRUE, OnKey);
  emscripten_set_mousedown_callback(canvasSelector, nullptr, EM_TRUE, OnMouseDown);
  emscripten_set_mouseup_callback(document, nullptr, EM_TRUE, OnMouseUp);
  emscripten_set_mousemove_callback(document, nullptr, EM_TRUE, OnMouseMove);
  emscripten_set_pointerlockchange_callback(document, nullptr, EM_TRUE, OnPointerLockChange);
  emscripten_set_fullscreenchange_callback(document, nullptr, EM_TRUE, OnFullscreenChange);
  emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, OnVisibilityChange);
  ListenToTouches();
  EmscriptenVisibilityChangeEvent visibility;
  if (emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS && visibility.hidden)
    SetPageRest(pageHidden, true);
}

// The page's events arrive between frames, by themselves; only a finger
// held still waits for the time.
void SystemPumpEvents() { FollowTouchTime(); }
