// subset_context.h: what the subset's tests draw into: an OpenGL ES 2.0
// context of Mesa's on a small offscreen surface (EGL, no display), and the
// pixels read back from it.
#pragma once

#include <array>

// Makes a width x height ES 2.0 context current, a new one each time, and
// puts the subset's state back at GL's defaults; false when none can be made.
bool MakeSubsetContextCurrent(int width, int height);
// A new context in place of the current one, the subset not told: as a
// browser hands back a lost WebGL context, with none of the old objects or
// state in it. False when none can be made.
bool ReplaceSubsetContextAsIfLost(int width, int height);
// The RGBA bytes of one pixel, (0, 0) at the bottom left.
std::array<int, 4> PixelAt(int x, int y);
// An untextured square from (x0, y0) to (x1, y1) at depth z, in the
// current colour, its corners counter-clockwise from the lower left.
void PlainSquare(float x0, float y0, float x1, float y1, float z);
