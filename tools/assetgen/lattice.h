// lattice.h: the lines picture, a small garden lattice of crossing slats on the transparent key black.
#pragma once

#include "picture.h"

// 64x64; the slats cross diagonally and run off every edge.
RgbPicture MakeLattice();
