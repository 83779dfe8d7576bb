// windows.cpp: window classes, windows, focus and the cursor's show count,
// as Windows keeps them, over the backend's own windows.
#include <map>
#include <string>

#include "platform/core/cursor_model.h"
#include "platform/core/gl_handles.h"
#include "platform/core/message_queue.h"
#include "platform/core/message_words.h"
#include "platform/core/swap_pacing.h"
#include "platform/core/system.h"
#include "platform/core/window_frame.h"

struct PlatformInstance {
  int unused;
};

namespace {

PlatformInstance programInstance;
std::map<std::string, WindowClass> windowClasses;
// Like Windows' counter, the cursor is shown while it is 0 or more.
int cursorShowCount = 0;

}  // namespace

InstanceHandle GetProgramInstance() { return &programInstance; }

int RegisterWindowClass(const WindowClass *windowClass) {
  if (windowClass == nullptr || windowClass->className == nullptr || windowClass->procedure == nullptr) return 0;
  if (!SystemOpenDisplay() || windowClasses.count(windowClass->className)) return 0;
  windowClasses[windowClass->className] = *windowClass;
  return 1;
}

int UnregisterWindowClass(const char *className, InstanceHandle instance) {
  if (className == nullptr || instance != &programInstance) return 0;
  return windowClasses.erase(className) ? 1 : 0;
}

int ShowMouseCursor(int show) {
  cursorShowCount += show ? 1 : -1;
  SystemShowCursor(cursorShowCount >= 0);
  return cursorShowCount;
}

WindowHandle CreatePlatformWindow(uint32_t exStyle, const char *className, const char *title,
                                  uint32_t style, int x, int y, int width, int height,
                                  WindowHandle parent, InstanceHandle instance) {
  (void)exStyle;
  (void)parent;
  auto found = windowClasses.find(className ? className : "");
  if (found == windowClasses.end() || instance != &programInstance) return nullptr;
  Rect insets = WindowFrameInsets(style);
  auto *window = new PlatformWindow{found->second.procedure, style, Rect{x, y, x + width, y + height},
                                    width - insets.left - insets.right, height - insets.top - insets.bottom,
                                    false, false, nullptr};
  window->system = SystemCreateWindow(window, title ? title : "");
  if (window->system == nullptr) {
    delete window;
    return nullptr;
  }
  AddLiveWindow(window);
  SendToWindow(window, WM_SIZE, 0, PackWords(window->clientWidth, window->clientHeight));
  return window;
}

int DestroyPlatformWindow(WindowHandle window) {
  if (!IsLiveWindow(window)) return 0;
  SendToWindow(window, WM_ACTIVATE, WA_INACTIVE, 0);
  LetGoOfWindowsContext(window);
  // What arrived before the window goes is queued first, and goes with it.
  SystemPumpEvents();
  RemoveLiveWindow(window);
  SystemDestroyWindow(window);
  DropQueuedMessages(window);
  delete window;
  ForgetPointerMotion();
  return 1;
}

int ShowPlatformWindow(WindowHandle window, int command) {
  (void)command;
  if (!IsLiveWindow(window)) return 0;
  SystemShowWindow(window);
  SendToWindow(window, WM_ACTIVATE, WA_ACTIVE, 0);
  return 1;
}

int BringWindowToFront(WindowHandle window) {
  if (!IsLiveWindow(window)) return 0;
  SystemRaiseWindow(window);
  return 1;
}

WindowHandle SetInputFocus(WindowHandle window) {
  WindowHandle previous = SystemFocusedWindow();
  if (IsLiveWindow(window)) SystemFocusWindow(window);
  return previous;
}

WindowHandle GetFocusWindow() { return SystemFocusedWindow(); }

void ResetPlatformCore() {
  for (PlatformWindow *window : LiveWindows()) delete window;
  ClearLiveWindows();
  ResetGlHandles();
  windowClasses.clear();
  cursorShowCount = 0;
  ResetMessageQueue();
  ResetCursorModel();
  ResetSwapPacing();
}
