// overlay_text.h: how the helpers tell the overlay's two lines of text from
// the landscape under them, on the screen and in a screenshot: the lines
// stand in rows 4-20 and 24-40 of the 1024x768 frame, x 0-299, in white
// glyphs; the terrain, plants and sky there light few pixels.
#pragma once

#include <algorithm>

// Light pixels (every channel 150 or more) in rows top to bottom - 1, x 0-299,
// of a frame whose top left corner is at (frameLeft, frameTop) of the picture.
// Picture: anything with width, height and At(x, y) giving RGB bytes.
template <typename Picture>
int LightPixels(const Picture &p, int frameLeft, int frameTop, int top, int bottom) {
  int n = 0;
  for (int y = frameTop + top; y < frameTop + bottom && y < p.height; ++y)
    for (int x = frameLeft; x < frameLeft + 300 && x < p.width; ++x) {
      const unsigned char *c = p.At(x, y);
      n += std::min({c[0], c[1], c[2]}) >= 150;
    }
  return n;
}
