// draw_batch.h: the triangles waiting to be drawn, already transformed and
// lit, for the ES program (es_program.h) to draw.
// Primitives wait together while they share the raster state and the fog
// colour (their textures all lie in one atlas); a change, a call that needs
// the picture, or the end of the frame draws them all with one call.
#pragma once

#include "gl_subset/texture_atlas.h"

struct BatchVertex {
  float position[4];  // clip coordinates
  float colour[4];    // lit or current colour, clamped to [0, 1]
  float texCoord[2];
  AtlasPlace place;   // the texture's place in the atlas
  float fog;          // the fog factor: 1 shows the colour, 0 the fog colour
};

// A primitive begins: the raster state, fog colour and texture of the moment
// are the ones it is drawn with.
void BeginBatchPrimitive();
// Its triangles, by the primitive's own vertices; quads are split as GL
// splits them (see the run in draw_batch.cpp).
void AddBatchTriangle(const BatchVertex &a, const BatchVertex &b, const BatchVertex &c);
void AddBatchQuad(const BatchVertex &a, const BatchVertex &b, const BatchVertex &c, const BatchVertex &d);
// Draws everything waiting.
void FlushBatch();
// The shader and buffers of the context are deleted and nothing waits any more.
void EndBatchContext();
// The same for a context that has lost them: they are forgotten, not deleted.
void ForgetBatchContext();
