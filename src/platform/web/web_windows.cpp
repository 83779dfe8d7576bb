// web_windows.cpp: the canvas as the program's one window: its drawing
// buffer sized to the client area, the page's title as the window's.
#include <emscripten/html5.h>

#include "platform/web/web_backend.h"

struct SystemWindow {
  int unused;
};

namespace {

SystemWindow canvasWindow;

}  // namespace

// The page is there already; it is listened to from the first class on.
bool SystemOpenDisplay() {
  ListenToPage();
  return true;
}

SystemWindow *SystemCreateWindow(PlatformWindow *window, const char *title) {
  if (LiveWindow() != nullptr) return nullptr;  // a page has one canvas
  if (emscripten_set_canvas_element_size(canvasSelector, window->clientWidth, window->clientHeight) !=
      EMSCRIPTEN_RESULT_SUCCESS)
    return nullptr;
  emscripten_set_window_title(title);
  return &canvasWindow;
}

void SystemDestroyWindow(PlatformWindow *) {}

void SystemShowWindow(PlatformWindow *) {}

void SystemRaiseWindow(PlatformWindow *) {}

void SystemFocusWindow(PlatformWindow *) {}

// The page's keys always reach the canvas's window.
WindowHandle SystemFocusedWindow() { return LiveWindow(); }

// A page draws only in its own canvas.
SystemWindow *SystemFindHostWindow(uint64_t, int *, int *) { return nullptr; }
void SystemForgetHostWindow(SystemWindow *) {}

bool SystemScreenSize(int *width, int *height) {
  return emscripten_get_canvas_element_size(canvasSelector, width, height) == EMSCRIPTEN_RESULT_SUCCESS;
}
