// plants.h: the vegetation billboards and the leaf picture, plant silhouettes on the transparent key black.
#pragma once

#include "picture.h"

// Each picture stands on its bottom row (the billboard's foot) and keeps its
// other edges clear, so the repeating texture wrap draws nothing across them.

// 128x512 fern of arching fronds, for a billboard 2 units wide and 10 high.
RgbPicture MakeFern();
// 256x128 leafy shrub on woody stems, for a billboard 8 wide and 5 high.
RgbPicture MakeBush();
// 256x256 clump of grass blades with a few seed heads, for a billboard 4 by 4.
RgbPicture MakeGrassClump();
// 128x128 single broad leaf with its stalk and veins.
RgbPicture MakeLeaf();
