// web_events.cpp: the message queue. The page's key, mouse, pointer-lock and
// fullscreen events become the program's messages here, at the edge (key
// codes are the browser's keyCode, which keeps the Windows virtual-key
// values); the cursor is read from the pointer's motion while it is locked.
#include <emscripten/html5.h>

#include <algorithm>
#include <deque>

#include "platform/web_backend.h"

namespace {

std::deque<Message> messageQueue;

// ---- the cursor: the anchor the program last put it at, plus the motion
// since, which counts only while the pointer is locked to the canvas (the
// first click locks it). A page cannot see where the pointer is on the
// screen, so before the program places it, it is at rest on the anchor.
Point cursorAnchor = {512, 384};
int motionX = 0, motionY = 0;
int simulatedX = 0, simulatedY = 0;
bool pointerLocked = false;

LParam KeyLParam(const EmscriptenKeyboardEvent *key, bool down) {
  LParam lParam = 1;
  if (key->altKey) lParam |= KEY_CONTEXT_ALT;
  if (key->repeat) lParam |= (LParam)1 << 30;
  if (!down) lParam |= (LParam)3 << 30;
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
  PostToQueue(nullptr, message, code, KeyLParam(key, down));
  return KeepFromBrowser(code) ? EM_TRUE : EM_FALSE;
}

LParam PackPoint(long x, long y) { return (LParam)((unsigned)(x & 0xFFFF) | ((unsigned)(y & 0xFFFF) << 16)); }

// A click on the canvas locks the pointer to it, for the tilt.
EM_BOOL OnMouseDown(int, const EmscriptenMouseEvent *mouse, void *) {
  StartSoundOnGesture();
  if (!pointerLocked) emscripten_request_pointerlock(canvasSelector, EM_FALSE);
  static const unsigned downs[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  if (mouse->button <= 2) PostToQueue(LiveWindow(), downs[mouse->button], 0, PackPoint(mouse->targetX, mouse->targetY));
  return EM_TRUE;
}

// Releases count wherever the pointer is, so a button let go off the canvas
// does not stay down.
EM_BOOL OnMouseUp(int, const EmscriptenMouseEvent *mouse, void *) {
  static const unsigned ups[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
  if (mouse->button <= 2) PostToQueue(LiveWindow(), ups[mouse->button], 0, PackPoint(mouse->targetX, mouse->targetY));
  return EM_FALSE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent *mouse, void *) {
  if (pointerLocked) {
    motionX += (int)mouse->movementX;
    motionY += (int)mouse->movementY;
  }
  PostToQueue(LiveWindow(), WM_MOUSEMOVE, 0, PackPoint(mouse->targetX, mouse->targetY));
  return EM_FALSE;
}

EM_BOOL OnPointerLockChange(int, const EmscriptenPointerlockChangeEvent *change, void *) {
  pointerLocked = change->isActive;
  motionX = motionY = 0;
  return EM_FALSE;
}

EM_BOOL OnFullscreenChange(int, const EmscriptenFullscreenChangeEvent *change, void *) {
  if (!change->isFullscreen) PageLeftFullscreen();
  return EM_FALSE;
}

bool Matches(const Message &message, WindowHandle filter, unsigned first, unsigned last) {
  if (filter != nullptr && message.window != filter) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

}  // namespace

// ===================== shared within the backend

void ListenToPage() {
  static bool listening = false;
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
}

void PostToQueue(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam) {
  messageQueue.push_back(Message{window, message, wParam, lParam});
}

void PostKeyTap(unsigned virtualKey) {
  PostToQueue(nullptr, WM_KEYDOWN, virtualKey, 1);
  PostToQueue(nullptr, WM_KEYUP, virtualKey, 1 | ((LParam)3 << 30));
}

void DropQueuedMessages(const PlatformWindow *window) {
  std::erase_if(messageQueue, [window](const Message &message) { return message.window == window; });
}

// ===================== the queue: filled by the page's events between frames

int PeekPlatformMessage(Message *message, WindowHandle filter, unsigned first, unsigned last, unsigned remove) {
  for (auto it = messageQueue.begin(); it != messageQueue.end(); ++it) {
    if (!Matches(*it, filter, first, last)) continue;
    *message = *it;
    if (remove & PM_REMOVE) messageQueue.erase(it);
    return 1;
  }
  return 0;
}

int TranslatePlatformMessage(const Message *message) {
  (void)message;  // character messages are of no use to the program
  return 0;
}

LResult DispatchPlatformMessage(const Message *message) {
  if (message == nullptr) return 0;
  PlatformWindow *window = message->window != nullptr ? message->window : LiveWindow();
  if (!IsLiveWindow(window)) return 0;
  return SendToWindow(window, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) { messageQueue.push_back(Message{nullptr, WM_QUIT, (WParam)exitCode, 0}); }

LResult DefaultWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
  if (!IsLiveWindow(window)) return 0;
  if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & KEY_CONTEXT_ALT))
    return SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return SendToWindow(window, WM_CLOSE, 0, 0);
  return 0;
}

// ===================== the cursor

int GetCursorPosition(Point *position) {
  position->x = cursorAnchor.x + motionX + simulatedX;
  position->y = cursorAnchor.y + motionY + simulatedY;
  return 1;
}

int SetCursorPosition(int x, int y) {
  cursorAnchor = Point{x, y};
  motionX = motionY = simulatedX = simulatedY = 0;
  return 1;
}

// ===================== input fed by tools

void SimulateKey(unsigned virtualKey, int down) {
  PostToQueue(nullptr, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, 1);
}

void SimulateMouseButton(int button, int down) {
  static const unsigned downs[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  static const unsigned ups[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
  if (button >= 1 && button <= 3) PostToQueue(nullptr, down ? downs[button - 1] : ups[button - 1], 0, 0);
}

void SimulateMouseMotion(int dx, int dy) {
  simulatedX += dx;
  simulatedY += dy;
}
