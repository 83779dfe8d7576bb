// palette.h: reduces a picture to at most 256 colours (median cut) for the 8-bit bitmap forms, keeping the key exact.
#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"

struct PalettePicture {
  IndexedPicture indexed;    // indices into the palette, top row first
  std::vector<Rgb> palette;  // entries actually used, at most 256
};

// Key-black pixels get an entry of their own that no other pixel maps to, so
// a picture keeps exactly its transparent pixels; opaque pixels never map to
// pure black.
PalettePicture QuantisePicture(const RgbPicture &picture, int maxColours);
