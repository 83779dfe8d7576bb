// sdl_events.cpp: SDL's events become the program's messages here, at the
// edge: keys, buttons, motion and the window's own events.
#include "platform/core/cursor_model.h"
#include "platform/core/message_queue.h"
#include "platform/core/message_words.h"
#include "platform/sdl/sdl_backend.h"

namespace {

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
    HoldKeyThroughSwitch(code, key.timestamp);
    return;
  }
  bool alt = (key.keysym.mod & KMOD_ALT) != 0;
  bool system = alt || code == VK_MENU || code == VK_F10;
  LParam lParam = keyRepeatCount | KeyScanCode(key.keysym.scancode);
  if (alt) lParam |= KEY_CONTEXT_ALT;
  if (key.repeat) lParam |= keyWasDown;
  if (!down) lParam |= keyReleased;
  SettleHeldKey(code, down, &lParam);
  unsigned message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  PostToQueue(nullptr, message, code, lParam);
}

// SDL numbers its buttons left, middle, right, as the program does.
void TranslateButton(PlatformWindow *window, const SDL_MouseButtonEvent &button) {
  unsigned message = MouseButtonMessage(button.button, button.type == SDL_MOUSEBUTTONDOWN);
  if (message != 0) PostToQueue(window, message, 0, PackWords(button.x, button.y));
}

void TranslateWindowEvent(PlatformWindow *window, const SDL_WindowEvent &event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      PostToQueue(window, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      window->clientWidth = event.data1;
      window->clientHeight = event.data2;
      PostToQueue(window, WM_SIZE, 0, PackWords(event.data1, event.data2));
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      // A minimised window reports an empty client area and its minimised
      // state (WM_ACTIVATE's high word).
      window->minimised = true;
      PostToQueue(window, WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0);
      PostToQueue(window, WM_SIZE, 1, PackWords(0, 0));
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      if (window->minimised) {
        window->minimised = false;
        PostToQueue(window, WM_SIZE, 0, PackWords(window->clientWidth, window->clientHeight));
        PostToQueue(window, WM_ACTIVATE, WA_ACTIVE, 0);
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      ForgetPointerMotion();
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
      NoteMouseMotion(event.motion.xrel, event.motion.yrel);
      PostToQueue(window, WM_MOUSEMOVE, 0, PackWords(event.motion.x, event.motion.y));
      break;
  }
}

}  // namespace

void SystemPumpEvents() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) TranslateEvent(event);
  WatchHostWindows();
  ReleaseKeysPastDeadline();
}
