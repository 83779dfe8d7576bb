// windows.cpp: window classes, windows, focus and the cursor's show count,
// as Windows keeps them, over the backend's own windows.
#include <map>
#include <memory>
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
// Hosts found so far, one record per system id, kept until the platform's end.
std::map<uint64_t, std::unique_ptr<PlatformWindow>> hostWindows;

PlatformWindow *HostRecord(WindowHandle window) {
  for (auto &entry : hostWindows)
    if (entry.second.get() == window) return window;
  return nullptr;
}

void ForgetHostWindows() {
  for (auto &entry : hostWindows) SystemForgetHostWindow(entry.second->system);
  hostWindows.clear();
}

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
  auto found = windowClasses.find(className ? className : "");
  if (found == windowClasses.end() || instance != &programInstance) return nullptr;
  Rect insets = WindowFrameInsets(style);
  auto *window = new PlatformWindow{found->second.procedure, style, Rect{x, y, x + width, y + height},
                                    width - insets.left - insets.right, height - insets.top - insets.bottom,
                                    false, false, nullptr, HostRecord(parent), false};
  if ((style & WS_CHILD) && window->parent == nullptr) {
    delete window;
    return nullptr;
  }
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

WindowHandle FindHostWindow(uint64_t systemId) {
  auto known = hostWindows.find(systemId);
  if (known != hostWindows.end()) return known->second.get();
  if (!SystemOpenDisplay()) return nullptr;
  int width = 0, height = 0;
  SystemWindow *system = SystemFindHostWindow(systemId, &width, &height);
  if (system == nullptr) return nullptr;
  auto host = std::make_unique<PlatformWindow>(
      PlatformWindow{nullptr, 0, Rect{0, 0, width, height}, width, height, false, false, system, nullptr, true});
  return (hostWindows[systemId] = std::move(host)).get();
}

int GetClientRectangle(WindowHandle window, Rect *rect) {
  if (rect == nullptr || (!IsLiveWindow(window) && HostRecord(window) == nullptr)) return 0;
  *rect = Rect{0, 0, window->clientWidth, window->clientHeight};
  return 1;
}

int GetScreenRectangle(Rect *rect) {
  int width = 0, height = 0;
  if (rect == nullptr || !SystemOpenDisplay() || !SystemScreenSize(&width, &height)) return 0;
  *rect = Rect{0, 0, width, height};
  return 1;
}

void ResetPlatformCore() {
  for (PlatformWindow *window : LiveWindows()) delete window;
  ClearLiveWindows();
  ForgetHostWindows();
  ResetGlHandles();
  windowClasses.clear();
  cursorShowCount = 0;
  ResetMessageQueue();
  ResetCursorModel();
  ResetSwapPacing();
}
