// text_overlay.h: the bitmap-font text drawn over every frame.
#pragma once

// Deletes the 256 font display lists of the current context, if there is one.
void FreeFontLists();
