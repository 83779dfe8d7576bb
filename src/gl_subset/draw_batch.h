// draw_batch.h: the triangles waiting to be drawn, in object coordinates,
// for the ES program (es_program.h) to transform, light and fog.
// Primitives wait together while they share the raster state, the fog
// colour and the vertex uniforms (matrices, lights, fog; their textures all
// lie in one atlas); a change, a call that needs the picture, or the end of
// the frame draws them all with one call.
#pragma once

#include "gl_subset/texture_atlas.h"

struct BatchVertex {
  float position[3];  // object coordinates
  float normal[3];    // the current normal, as given
  float colour[4];    // the current colour, clamped to [0, 1]
  float texCoord[2];
  AtlasPlace place;   // the texture's place in the atlas
};

// A primitive begins: the raster state, fog colour and texture of the moment
// are the ones it is drawn with.
void BeginBatchPrimitive();
// Its triangles, by the primitive's own vertices, and whether any of them
// lies outside the view volume; quads are split as GL splits them (see the
// run in draw_batch.cpp).
void AddBatchTriangle(const BatchVertex &a, const BatchVertex &b, const BatchVertex &c, bool outside);
void AddBatchQuad(const BatchVertex &a, const BatchVertex &b, const BatchVertex &c, const BatchVertex &d,
                  bool outside);
// Draws everything waiting.
void FlushBatch();
// The same at the end of a frame: the next batch is the next frame's first.
void EndBatchFrame();
// The shader and buffers of the context are deleted and nothing waits any more.
void EndBatchContext();
// The same for a context that has lost them: they are forgotten, not deleted.
void ForgetBatchContext();
