// ground.h: the two tileable ground pictures, the terrain's meadow soil and the near grass under the viewer.
#pragma once

#include "picture.h"

// 256x256 meadow seen from afar: grass patches, bare soil and a few stones; tiles seamlessly.
RgbPicture MakeGround();

// 256x256 close-up of short grass blades over darker turf; tiles seamlessly.
RgbPicture MakeGrassGround();
