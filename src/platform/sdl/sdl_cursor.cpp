// sdl_cursor.cpp: the pointer under the cursor model: read and put back
// where X11 lets it be, relative mode where the driver cannot warp it
// (Wayland), and the cursor hidden over our own windows.
#include "platform/core/cursor_model.h"
#include "platform/sdl/sdl_backend.h"

namespace {

bool relativeModeOn = false;

}  // namespace

// A window drawing in another program's window never holds the pointer:
// the host's owner decides what the mouse does there.
void FollowFocus() {
  PlatformWindow *window = LiveWindow();
  bool wanted = PointerMotionIsRelative() && window != nullptr && window->parent == nullptr &&
                WindowHasInputFocus(window);
  if (wanted != relativeModeOn) {
    SDL_SetRelativeMouseMode(wanted ? SDL_TRUE : SDL_FALSE);
    relativeModeOn = wanted;
  }
}

void SystemReadPointer(Point *position) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  // A driver that cannot put the pointer anywhere cannot say where it is on
  // the screen either (SDL reports 0, 0 until the pointer enters a window):
  // until motion is added up the pointer counts as resting at the window's
  // centre, where the program anchors it, so only a real move moves it.
  if (DriverCannotWarp()) {
    if (PlatformWindow *window = LiveWindow()) *position = Point{window->clientWidth / 2, window->clientHeight / 2};
    return;
  }
  SDL_GetGlobalMouseState(&position->x, &position->y);
}

bool SystemPointerIsOurs() {
  PlatformWindow *window = LiveWindow();
  return window != nullptr && WindowHasInputFocus(window);
}

bool SystemWarpPointer(int x, int y) { return !DriverCannotWarp() && SDL_WarpMouseGlobal(x, y) == 0; }

void SystemPointerPlaced(bool) { FollowFocus(); }

void SystemShowCursor(bool visible) {
  // SDL hides the cursor over our own windows only; the desktop keeps its own.
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void NoteMouseMotion(int dx, int dy) {
  if (relativeModeOn) ReportPointerMotion(dx, dy);
}
