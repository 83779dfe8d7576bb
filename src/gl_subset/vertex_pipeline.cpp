// vertex_pipeline.cpp: glBegin to glEnd. Vertices go to the batch as GL
// gave them, in object coordinates with the current normal, colour and
// texture coordinate; the ES program's vertex shader takes them through GL
// 1.1's steps (es_program.cpp). Here only what the primitive's triangles
// depend on is worked out: whether a vertex lies outside the view volume,
// which decides how a quad is split.
#include <GLES2/gl2.h>

#include <cstring>

#include "gl_subset/display_lists.h"
#include "gl_subset/draw_batch.h"
#include "gl_subset/subset_state.h"

namespace {

// The primitive being put together.
struct Assembly {
  bool open;
  unsigned mode;
  BatchVertex pending[4];
  bool outside[4];  // each pending vertex outside the view volume
  int count;
};

Assembly assembly;

float Clamp01(float value) { return value < 0.0f ? 0.0f : value > 1.0f ? 1.0f : value; }

bool OutsideView(const float object[4]) {
  float p[4];
  TransformPoint(ClipMatrix(), object, p);
  float w = p[3];
  return !(w > 0.0f && p[0] >= -w && p[0] <= w && p[1] >= -w && p[1] <= w && p[2] >= -w && p[2] <= w);
}

// A strip's quads are its vertices 0 1 3 2, 2 3 5 4, ...
void AssembleIfComplete() {
  Assembly &a = assembly;
  BatchVertex *p = a.pending;
  const bool *o = a.outside;
  if (a.mode == GL_TRIANGLES && a.count == 3) {
    AddBatchTriangle(p[0], p[1], p[2], o[0] || o[1] || o[2]);
    a.count = 0;
  } else if (a.mode == GL_QUADS && a.count == 4) {
    AddBatchQuad(p[0], p[1], p[2], p[3], o[0] || o[1] || o[2] || o[3]);
    a.count = 0;
  } else if (a.mode == GL_QUAD_STRIP && a.count == 4) {
    AddBatchQuad(p[0], p[1], p[3], p[2], o[0] || o[1] || o[2] || o[3]);
    p[0] = p[2];
    p[1] = p[3];
    a.outside[0] = o[2];
    a.outside[1] = o[3];
    a.count = 2;
  }
}

}  // namespace

void SubsetBegin(unsigned mode) {
  if (RecordListOp(listBegin, mode, 0, 0, 0, 0)) return;
  if (assembly.open || (mode != GL_TRIANGLES && mode != GL_QUADS && mode != GL_QUAD_STRIP)) return;
  BeginBatchPrimitive();
  assembly.open = true;
  assembly.mode = mode;
  assembly.count = 0;
}

// Vertices left over (a quad short of four) draw nothing, as in GL.
void SubsetEnd() {
  if (RecordListOp(listEnd, 0, 0, 0, 0, 0)) return;
  assembly.open = false;
}

void SubsetVertex3f(float x, float y, float z) {
  if (RecordListOp(listVertex, 0, x, y, z, 0)) return;
  if (!assembly.open) return;
  const SubsetState &s = subsetState;
  const float object[4] = {x, y, z, 1.0f};
  assembly.outside[assembly.count] = OutsideView(object);
  BatchVertex &v = assembly.pending[assembly.count++];
  memcpy(v.position, object, sizeof v.position);
  memcpy(v.normal, s.normal, sizeof v.normal);
  for (int i = 0; i < 4; ++i) v.colour[i] = Clamp01(s.colour[i]);
  v.texCoord[0] = s.texCoord[0];
  v.texCoord[1] = s.texCoord[1];
  AssembleIfComplete();
}

void SubsetVertex2i(int x, int y) { SubsetVertex3f((float)x, (float)y, 0.0f); }

void SubsetTexCoord2f(float s, float t) {
  if (RecordListOp(listTexCoord, 0, s, t, 0, 0)) return;
  subsetState.texCoord[0] = s;
  subsetState.texCoord[1] = t;
}

void SubsetNormal3f(float x, float y, float z) {
  if (RecordListOp(listNormal, 0, x, y, z, 0)) return;
  subsetState.normal[0] = x;
  subsetState.normal[1] = y;
  subsetState.normal[2] = z;
}

void SubsetColor3f(float red, float green, float blue) {
  if (RecordListOp(listColour, 0, red, green, blue, 0)) return;
  subsetState.colour[0] = red;
  subsetState.colour[1] = green;
  subsetState.colour[2] = blue;
  subsetState.colour[3] = 1.0f;
}
