// texture_set.h: the program's nine colour-keyed textures, loaded all or
// nothing.
#pragma once

#include "assets/bitmap_loader.h"

enum TextureSlot : int {
  SlotFont,     // the overlay's glyph sheet
  SlotLines,    // loaded, not drawn
  SlotLeaf,     // loaded, not drawn
  SlotFern,     // first billboard of each vegetation clump
  SlotBush,     // second billboard
  SlotGrass,    // third billboard
  SlotGrass1,   // the ground quad
  SlotSky,      // the sky sphere
  SlotGround,   // the terrain patch
  textureSlotCount
};

struct TextureSet {
  unsigned textureNames[textureSlotCount];  // GL texture names by slot
};

extern TextureSet textureSet;  // program-wide, all 0 at start

// Null for a null path or a file that cannot be opened (no box, a line on
// standard error); else what the bitmap loader makes of it, a refusal named
// on standard error too.
RgbImage *LoadTextureImage(const char *path);

// Reads the nine files in slot order and, only when all nine were read,
// uploads them as RGBA textures with pure black transparent. 1 on success.
int LoadTextureSet();
