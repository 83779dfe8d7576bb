// window_frame.cpp: the frame insets of the window styles.
#include "platform/core/window_frame.h"

namespace {

// An overlapped window's frame as Windows 10 draws it at 96 dpi: an 8-pixel
// sizing border on three sides, and above the client area the same border
// under a 23-pixel caption; a menu bar adds 20 more. Every emulating
// backend uses these, so a rectangle grown and shrunk back always agrees.
constexpr Rect overlappedInsets = {8, 31, 8, 8};
constexpr int menuBarHeight = 20;

}  // namespace

Rect WindowFrameInsets(uint32_t style) {
  // A popup has no frame at all.
  if ((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW) return overlappedInsets;
  return Rect{0, 0, 0, 0};
}

int AdjustWindowRectangle(Rect *rect, uint32_t style, int hasMenu, uint32_t exStyle) {
  (void)exStyle;
  Rect insets = WindowFrameInsets(style);
  rect->left -= insets.left;
  rect->top -= insets.top + (hasMenu ? menuBarHeight : 0);
  rect->right += insets.right;
  rect->bottom += insets.bottom;
  return 1;
}
