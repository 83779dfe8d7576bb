// sdl_events.cpp: the message queue. SDL's events become the program's
// messages here, at the edge; the cursor is read and re-centred here too.
#include <algorithm>
#include <deque>
#include <vector>

#include "platform/sdl_backend.h"

namespace {

std::deque<Message> messageQueue;

// ---- the cursor: the anchor it was last put at, plus the motion measured
// since, which counts only while our window has the input focus. Until the
// program first puts it somewhere there is no anchor, and it reads where the
// pointer really is.
Point cursorAnchor;
bool cursorPlaced = false;
int motionX = 0, motionY = 0;          // relative motion, where the pointer cannot be warped
int simulatedX = 0, simulatedY = 0;    // motion fed by tools
bool relativeMotion = false;           // the platform cannot warp the pointer (Wayland, offscreen)
bool relativeModeOn = false;

bool DriverCannotWarp() {
  const char *driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && (SDL_strcmp(driver, "wayland") == 0 || SDL_strcmp(driver, "offscreen") == 0);
}

// Relative mode follows the focus, so another window keeps its own cursor.
void FollowFocus() {
  PlatformWindow *window = LiveWindow();
  bool wanted = relativeMotion && window != nullptr && WindowHasInputFocus(window);
  if (wanted != relativeModeOn) {
    SDL_SetRelativeMouseMode(wanted ? SDL_TRUE : SDL_FALSE);
    relativeModeOn = wanted;
  }
}

unsigned KeyFromKeycode(SDL_Keycode code) {
  if (code >= SDLK_a && code <= SDLK_z) return 'A' + (code - SDLK_a);
  if (code >= SDLK_0 && code <= SDLK_9) return '0' + (code - SDLK_0);
  if (code >= SDLK_F1 && code <= SDLK_F12) return VK_F1 + (code - SDLK_F1);
  if (code >= SDLK_KP_1 && code <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (code - SDLK_KP_1);
  switch (code) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
  }
  return 0;
}

// ---- keys held through a mode switch. SDL lets go of every held key when
// the focused window goes away, and from then on swallows the real release.
// Such a key stays held for the program until the key repeat shows it is
// still down (a repeated press within the deadline) or the deadline passes
// without one, which means it was let go: only then does it get its release.
struct HeldThroughSwitch {
  unsigned code;
  Uint32 deadline;  // SDL ticks
};
std::vector<HeldThroughSwitch> heldThroughSwitch;
const Uint32 keyRepeatDeadline = 1000;  // ms; longer than a desktop's repeat delay

void PostKeyRelease(unsigned code) { PostToQueue(nullptr, WM_KEYUP, code, 1 | ((LParam)3 << 30)); }

// A press of a key held through a switch is the key repeat of a key that
// never went up; a release is its real one.
void SettleHeldKey(unsigned code, bool down, LParam *lParam) {
  auto it = std::find_if(heldThroughSwitch.begin(), heldThroughSwitch.end(),
                         [code](const HeldThroughSwitch &held) { return held.code == code; });
  if (it == heldThroughSwitch.end()) return;
  heldThroughSwitch.erase(it);
  if (down) *lParam |= (LParam)1 << 30;
}

void ReleaseKeysPastDeadline() {
  Uint32 now = SDL_GetTicks();
  std::erase_if(heldThroughSwitch, [now](const HeldThroughSwitch &held) {
    if (!SDL_TICKS_PASSED(now, held.deadline)) return false;
    PostKeyRelease(held.code);
    return true;
  });
}

// Keys pressed with Alt, Alt itself and F10 are system keys, as on Windows.
// They are queued for no particular window and reach the window that is live
// when they are dispatched: a key released during a mode switch still
// reaches the new window.
void TranslateKey(const SDL_KeyboardEvent &key) {
  unsigned code = KeyFromKeycode(key.keysym.sym);
  if (code == 0) return;
  bool down = key.type == SDL_KEYDOWN;
  bool fromGoneWindow = key.windowID != 0 && WindowFromSdl(SDL_GetWindowFromID(key.windowID)) == nullptr;
  if (!down && fromGoneWindow) {
    heldThroughSwitch.push_back(HeldThroughSwitch{code, key.timestamp + keyRepeatDeadline});
    return;
  }
  bool alt = (key.keysym.mod & KMOD_ALT) != 0;
  bool system = alt || code == VK_MENU || code == VK_F10;
  LParam lParam = 1 | ((LParam)(key.keysym.scancode & 0xFF) << 16);
  if (alt) lParam |= KEY_CONTEXT_ALT;
  if (key.repeat) lParam |= (LParam)1 << 30;
  if (!down) lParam |= (LParam)3 << 30;
  SettleHeldKey(code, down, &lParam);
  unsigned message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  PostToQueue(nullptr, message, code, lParam);
}

void TranslateButton(PlatformWindow *window, const SDL_MouseButtonEvent &button) {
  bool down = button.type == SDL_MOUSEBUTTONDOWN;
  unsigned message;
  switch (button.button) {
    case SDL_BUTTON_LEFT: message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
    case SDL_BUTTON_MIDDLE: message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
    case SDL_BUTTON_RIGHT: message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
    default: return;
  }
  PostToQueue(window, message, 0, PackSize(button.x, button.y));
}

void TranslateWindowEvent(PlatformWindow *window, const SDL_WindowEvent &event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      PostToQueue(window, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      window->clientWidth = event.data1;
      window->clientHeight = event.data2;
      PostToQueue(window, WM_SIZE, 0, PackSize(event.data1, event.data2));
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      // A minimised window reports an empty client area and its minimised state.
      window->minimised = true;
      PostToQueue(window, WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0);
      PostToQueue(window, WM_SIZE, 1, PackSize(0, 0));
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      if (window->minimised) {
        window->minimised = false;
        PostToQueue(window, WM_SIZE, 0, PackSize(window->clientWidth, window->clientHeight));
        PostToQueue(window, WM_ACTIVATE, WA_ACTIVE, 0);
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      motionX = motionY = 0;
      FollowFocus();
      break;
  }
}

void TranslateEvent(const SDL_Event &event) {
  // Keys and buttons go to our window whichever SDL window they name: a key
  // released just after a mode switch must still reach the new window.
  PlatformWindow *window = LiveWindow();
  if (window == nullptr) return;
  switch (event.type) {
    case SDL_QUIT:  // the terminal's interrupt: close as the close box would
      PostToQueue(window, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      if (PlatformWindow *target = WindowFromSdl(SDL_GetWindowFromID(event.window.windowID)))
        TranslateWindowEvent(target, event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(window, event.button);
      break;
    case SDL_MOUSEMOTION:
      if (relativeModeOn) {
        motionX += event.motion.xrel;
        motionY += event.motion.yrel;
      }
      PostToQueue(window, WM_MOUSEMOVE, 0, PackSize(event.motion.x, event.motion.y));
      break;
  }
}

}  // namespace

void PumpPlatformEvents() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) TranslateEvent(event);
  ReleaseKeysPastDeadline();
}

namespace {

bool Matches(const Message &message, WindowHandle filter, unsigned first, unsigned last) {
  if (filter != nullptr && message.window != filter) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

}  // namespace

// ===================== shared within the backend

void PostToQueue(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam) {
  messageQueue.push_back(Message{window, message, wParam, lParam});
}

void DropQueuedMessages(const PlatformWindow *window) {
  std::erase_if(messageQueue, [window](const Message &message) { return message.window == window; });
}

void ResetCursorTracking() {
  motionX = motionY = 0;
  FollowFocus();
}

// ===================== the queue

int PeekPlatformMessage(Message *message, WindowHandle filter, unsigned first, unsigned last, unsigned remove) {
  PumpPlatformEvents();
  for (auto it = messageQueue.begin(); it != messageQueue.end(); ++it) {
    if (!Matches(*it, filter, first, last)) continue;
    *message = *it;
    if (remove & PM_REMOVE) messageQueue.erase(it);
    return 1;
  }
  return 0;
}

int TranslatePlatformMessage(const Message *message) {
  // Character messages are of no use to the program; keys pass as they are.
  (void)message;
  return 0;
}

LResult DispatchPlatformMessage(const Message *message) {
  if (message == nullptr) return 0;
  PlatformWindow *window = message->window != nullptr ? message->window : LiveWindow();
  if (!IsLiveWindow(window)) return 0;
  return SendToWindow(window, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) {
  messageQueue.push_back(Message{nullptr, WM_QUIT, (WParam)exitCode, 0});
}

LResult DefaultWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
  if (!IsLiveWindow(window)) return 0;
  // Alt+F4 asks the window to close, through the system command as on Windows.
  if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & KEY_CONTEXT_ALT))
    return SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return SendToWindow(window, WM_CLOSE, 0, 0);
  return 0;
}

// ===================== the cursor

int GetCursorPosition(Point *position) {
  *position = cursorAnchor;
  PlatformWindow *window = LiveWindow();
  if (!cursorPlaced) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_GetGlobalMouseState(&position->x, &position->y);
  } else if (window != nullptr && WindowHasInputFocus(window)) {
    if (relativeMotion) {
      position->x += motionX;
      position->y += motionY;
    } else {
      SDL_GetGlobalMouseState(&position->x, &position->y);
    }
  }
  position->x += simulatedX;
  position->y += simulatedY;
  return 1;
}

int SetCursorPosition(int x, int y) {
  cursorAnchor = Point{x, y};
  cursorPlaced = true;
  motionX = motionY = simulatedX = simulatedY = 0;
  PlatformWindow *window = LiveWindow();
  if (window == nullptr || !WindowHasInputFocus(window)) return 1;
  if (!relativeMotion && (DriverCannotWarp() || SDL_WarpMouseGlobal(x, y) != 0)) relativeMotion = true;
  FollowFocus();
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
