// text_overlay.h: the bitmap-font text drawn over every frame, on a fixed
// 1024x768 overlay whatever the window's size.
#pragma once

extern unsigned fontListBase;  // first of the 256 font display lists of the current context

// Compiles one display list per glyph of the font texture.
void BuildFontLists();
// Deletes the 256 font display lists of the current context, if there is one.
void FreeFontLists();
// Draws text with its first glyph's lower left corner at (x, y) in overlay
// units, in the current colour; set 0 or 1 (anything above 1 counts as 1).
void PrintText(int x, int y, const char *text, int set);
// The credit line and the version line, at the top left of the frame.
void DrawOverlayLines();
