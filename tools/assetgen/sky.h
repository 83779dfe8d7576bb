// sky.h: the daylight sky wrapped around the sky sphere, with soft clouds and a seamless left-right join.
#pragma once

#include "picture.h"

// 512x256, longitude across, latitude down (top row the zenith, middle row
// the horizon), as the sphere's texture coordinates lay it out.
RgbPicture MakeSky();
