// saver_window.cpp: the screensaver's window and the input that ends it.
#include "app/saver_window.h"

#include <cstdlib>

#include "app/main_loop.h"

namespace {

// A mouse resting on the desk still shivers by a pixel or two; a move
// further than this from where it was first seen is the user's.
constexpr int stillMouseSlack = 4;

struct SaverMouse {
  bool seen;
  int x, y;
};

SaverMouse saverMouse;

WindowHandle SaverHost() { return FindHostWindow(launchOptions.hostWindow); }

// Over the screen: any move beyond the slack from the first position seen.
bool MouseMovedAway(LParam lParam) {
  int x = (int)(int16_t)(lParam & 0xFFFF), y = (int)(int16_t)((lParam >> 16) & 0xFFFF);
  if (!saverMouse.seen) saverMouse = SaverMouse{true, x, y};
  return std::abs(x - saverMouse.x) > stillMouseSlack || std::abs(y - saverMouse.y) > stillMouseSlack;
}

bool IsInput(unsigned message) {
  return (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) ||
         (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP);
}

bool EndsTheSaver(unsigned message, LParam lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return true;
    case WM_MOUSEMOVE:
      return MouseMovedAway(lParam);
  }
  return false;
}

}  // namespace

int FindSaverHost(std::FILE *err) {
  if (launchOptions.saver != saverInHost || SaverHost() != nullptr) return 1;
  if (launchOptions.hostWindow == hostRootWindow)
    std::fprintf(err, "talmir: cannot reach the screen's root window to draw in\n");
  else
    std::fprintf(err, "talmir: there is no window 0x%llx to draw in\n", (unsigned long long)launchOptions.hostWindow);
  return 0;
}

WindowHandle CreateSaverWindow(const char *className, const char *title, int *width, int *height) {
  saverMouse = SaverMouse{};
  WindowHandle parent = nullptr;
  Rect area = {};
  uint32_t exStyle = WS_EX_TOPMOST, style = WS_POPUP | WS_VISIBLE;
  if (launchOptions.saver == saverInHost) {
    parent = SaverHost();
    if (parent == nullptr || !GetClientRectangle(parent, &area)) return nullptr;
    exStyle = 0;
    style = WS_CHILD | WS_VISIBLE;
  } else if (!GetScreenRectangle(&area)) {
    return nullptr;
  }
  *width = area.right - area.left;
  *height = area.bottom - area.top;
  return CreatePlatformWindow(exStyle, className, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, area.left,
                              area.top, *width, *height, parent, GetProgramInstance());
}

bool SaverTakesInput(unsigned message, LParam lParam) {
  if (!IsInput(message)) return false;
  if (launchOptions.saver == saverOnScreen && EndsTheSaver(message, lParam)) PostQuitMessage(0);
  return true;
}

int ShowSaverSettings() {
  WindowHandle owner = launchOptions.hostGiven ? FindHostWindow(launchOptions.hostWindow) : nullptr;
  ShowMessageBox(owner,
                 "Talmir flies over its landscape by itself while the screen rests.\n"
                 "There is nothing to set.",
                 "Talmir", MB_OK | MB_ICONINFORMATION);
  return 0;
}
