// window_frame.cpp: the frame insets of the window styles.
#include "platform/core/window_frame.h"

Rect WindowFrameInsets(uint32_t style) {
  // An overlapped window has a caption and a sizing border; a popup has none.
  if ((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW) return Rect{8, 31, 8, 8};
  return Rect{0, 0, 0, 0};
}

int AdjustWindowRectangle(Rect *rect, uint32_t style, int hasMenu, uint32_t exStyle) {
  (void)exStyle;
  Rect insets = WindowFrameInsets(style);
  rect->left -= insets.left;
  rect->top -= insets.top + (hasMenu ? 20 : 0);
  rect->right += insets.right;
  rect->bottom += insets.bottom;
  return 1;
}
