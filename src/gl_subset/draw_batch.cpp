// draw_batch.cpp: the waiting triangles, gathered in runs and batches while
// the state allows, and drawn with one call into the ES program's buffers.
#include "gl_subset/draw_batch.h"

#include <GLES2/gl2.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gl_subset/es_program.h"
#include "gl_subset/subset_state.h"

namespace {

// 16-bit indices: a batch holds at most this many vertices.
constexpr size_t batchVertexLimit = 65536;

struct Batch {
  std::vector<BatchVertex> vertices;
  std::vector<uint16_t> indices;
  RasterState raster;
  float fogColour[3];
  AtlasPlace primitivePlace;  // the texture of the primitive being added
};

// A run: primitives one after another with no change of state between them,
// which GL draws with one call. Its quads are split into triangles when it
// ends, as Mesa splits them: where every vertex of the run lies inside the
// view volume, a b c and a c d; where some vertex lies outside (the run is
// clipped), a b d and b c d. Flat quads look the same either way; a terrain
// cell or a swaying billboard does not, and so matches Mesa's picture.
struct RunPrimitive {
  uint16_t first;  // its first vertex
  bool quad;       // a quad, or a triangle
};

struct Run {
  unsigned stateChanges;  // the state's count of changes when it began
  bool outside;           // some vertex lies outside the view volume
  std::vector<RunPrimitive> primitives;
};

Batch batch;
Run run;

void PointAttribute(GLuint location, int size, GLsizeiptr offset) {
  glEnableVertexAttribArray(location);
  glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, sizeof(BatchVertex), (const void *)offset);
}

// The batch into the stream buffers; the offset of its indices.
GLsizeiptr Upload() {
  GLsizeiptr vertices = StreamInto(esProgram.vertices, GL_ARRAY_BUFFER, batch.vertices.data(),
                                   (GLsizeiptr)(batch.vertices.size() * sizeof(BatchVertex)));
  GLsizeiptr indices = StreamInto(esProgram.indices, GL_ELEMENT_ARRAY_BUFFER, batch.indices.data(),
                                  (GLsizeiptr)(batch.indices.size() * sizeof(uint16_t)));
  PointAttribute(positionAttribute, 4, vertices + offsetof(BatchVertex, position));
  PointAttribute(colourAttribute, 4, vertices + offsetof(BatchVertex, colour));
  PointAttribute(texCoordAttribute, 2, vertices + offsetof(BatchVertex, texCoord));
  PointAttribute(placeAttribute, 4, vertices + offsetof(BatchVertex, place));
  PointAttribute(fogAttribute, 1, vertices + offsetof(BatchVertex, fog));
  return indices;
}

void ClearBatch() {
  batch.vertices.clear();
  batch.indices.clear();
}

bool SameFogColour() { return memcmp(batch.fogColour, subsetState.fogColour, sizeof batch.fogColour) == 0; }

// The place of the texture a primitive samples: white where texturing is off
// or the texture has no image (GL 1.1 then draws as if texturing were off).
AtlasPlace PrimitivePlace() {
  return PlaceOfTexture(subsetState.texturing ? subsetState.boundTexture : 0);
}

// Room for n more vertices: a full batch is drawn first.
void MakeRoom(size_t n) {
  if (batch.vertices.size() + n > batchVertexLimit) FlushBatch();
}

uint16_t AddVertex(const BatchVertex &v) {
  batch.vertices.push_back(v);
  batch.vertices.back().place = batch.primitivePlace;
  return (uint16_t)(batch.vertices.size() - 1);
}

bool OutsideView(const BatchVertex &v) {
  const float *p = v.position;
  float w = p[3];
  return !(w > 0.0f && p[0] >= -w && p[0] <= w && p[1] >= -w && p[1] <= w && p[2] >= -w && p[2] <= w);
}

// The run's triangles, in the order its primitives came.
void CloseRun() {
  for (const RunPrimitive &p : run.primitives) {
    uint16_t a = p.first, b = (uint16_t)(a + 1), c = (uint16_t)(a + 2), d = (uint16_t)(a + 3);
    if (!p.quad)
      batch.indices.insert(batch.indices.end(), {a, b, c});
    else if (run.outside)
      batch.indices.insert(batch.indices.end(), {a, b, d, b, c, d});
    else
      batch.indices.insert(batch.indices.end(), {a, b, c, a, c, d});
  }
  run.primitives.clear();
  run.outside = false;
}

void AddToRun(const BatchVertex *const *corners, int count) {
  MakeRoom((size_t)count);
  RunPrimitive primitive = {(uint16_t)batch.vertices.size(), count == 4};
  for (int i = 0; i < count; ++i) {
    AddVertex(*corners[i]);
    run.outside = run.outside || OutsideView(*corners[i]);
  }
  run.primitives.push_back(primitive);
}

}  // namespace

void BeginBatchPrimitive() {
  if (!HaveEsProgram()) return;
  const SubsetState &s = subsetState;
  if (run.stateChanges != s.stateChanges) CloseRun();
  run.stateChanges = s.stateChanges;
  if (!batch.vertices.empty() && !(batch.raster == s.raster && SameFogColour())) FlushBatch();
  if (batch.vertices.empty()) {
    batch.raster = s.raster;
    memcpy(batch.fogColour, s.fogColour, sizeof batch.fogColour);
  }
  batch.primitivePlace = PrimitivePlace();
}

void AddBatchTriangle(const BatchVertex &a, const BatchVertex &b, const BatchVertex &c) {
  const BatchVertex *corners[3] = {&a, &b, &c};
  AddToRun(corners, 3);
}

void AddBatchQuad(const BatchVertex &a, const BatchVertex &b, const BatchVertex &c, const BatchVertex &d) {
  const BatchVertex *corners[4] = {&a, &b, &c, &d};
  AddToRun(corners, 4);
}

void FlushBatch() {
  CloseRun();
  if (batch.vertices.empty()) return;
  if (!HaveEsProgramToDraw()) {
    ClearBatch();
    return;
  }
  UseEsProgram(batch.raster, batch.fogColour);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, AtlasTexture());
  GLsizeiptr indices = Upload();
  glDrawElements(GL_TRIANGLES, (GLsizei)batch.indices.size(), GL_UNSIGNED_SHORT, (const void *)indices);
  ClearBatch();
}

void EndBatchContext() {
  ClearBatch();
  EndEsProgram();
}

void ForgetBatchContext() {
  CloseRun();
  ClearBatch();
  ForgetEsProgram();
}
