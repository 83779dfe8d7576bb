// vertex_pipeline.cpp: glBegin to glEnd. Each vertex is taken through GL
// 1.1's fixed-function steps here: the model-view and projection matrices,
// the lighting of the default material, and the fog's eye distance; then the
// primitive's vertices go to the batch as triangles.
#include <GLES2/gl2.h>

#include <cmath>
#include <cstring>

#include "gl_subset/display_lists.h"
#include "gl_subset/draw_batch.h"
#include "gl_subset/subset_state.h"

namespace {

// GL's default material and light model, which Talmir never changes: the
// material reflects 0.2 of the ambient light and 0.8 of the diffuse, emits
// nothing, shows no highlight (its specular colour is black) and has alpha 1;
// the scene's own ambient light is 0.2. One-sided: back faces are lit with
// the normal as given.
constexpr float materialAmbient = 0.2f, materialDiffuse = 0.8f, materialAlpha = 1.0f;
constexpr float sceneAmbient = 0.2f;

// The primitive being put together.
struct Assembly {
  bool open;
  unsigned mode;
  BatchVertex pending[4];
  int count;
};

// The current normal in eye coordinates, worked out again when the normal
// or the model-view matrix changes.
struct EyeNormal {
  bool valid;
  unsigned modelviewChanges;
  float matrix[9];
  float objectNormal[3];
  float eye[3];
};

// The projection times the model-view, worked out again when either changes:
// vertices go to clip coordinates in one step, as in Mesa's fixed function.
struct ClipMatrix {
  bool valid;
  unsigned modelviewChanges, projectionChanges;
  Matrix4 matrix;
};

Assembly assembly;
EyeNormal eyeNormal;
ClipMatrix clipMatrix;

const Matrix4 &CurrentClipMatrix() {
  ClipMatrix &c = clipMatrix;
  const SubsetState &s = subsetState;
  if (c.valid && c.modelviewChanges == s.modelviewChanges && c.projectionChanges == s.projectionChanges)
    return c.matrix;
  c.matrix = MultiplyMatrices(ProjectionTop(), ModelviewTop());
  c.modelviewChanges = s.modelviewChanges;
  c.projectionChanges = s.projectionChanges;
  c.valid = true;
  return c.matrix;
}

const float *CurrentEyeNormal() {
  EyeNormal &e = eyeNormal;
  if (!e.valid || e.modelviewChanges != subsetState.modelviewChanges) {
    NormalMatrix(ModelviewTop(), e.matrix);
    e.modelviewChanges = subsetState.modelviewChanges;
    e.valid = false;
  }
  if (e.valid && memcmp(e.objectNormal, subsetState.normal, sizeof e.objectNormal) == 0) return e.eye;
  const float *n = subsetState.normal;
  for (int row = 0; row < 3; ++row) e.eye[row] = e.matrix[row] * n[0] + e.matrix[3 + row] * n[1] + e.matrix[6 + row] * n[2];
  memcpy(e.objectNormal, n, sizeof e.objectNormal);
  e.valid = true;
  return e.eye;
}

float Clamp01(float value) { return value < 0.0f ? 0.0f : value > 1.0f ? 1.0f : value; }

// The unit vector from the vertex to a light (or along a directional one).
void TowardLight(const SubsetLight &light, const float eye[4], float out[3]) {
  const float *p = light.position;
  for (int i = 0; i < 3; ++i) out[i] = p[3] != 0.0f ? p[i] / p[3] - eye[i] : p[i];
  float length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
  if (length == 0.0f) return;
  for (int i = 0; i < 3; ++i) out[i] /= length;
}

// GL's lighting equation for the default material: the scene's ambient
// light, then each light's ambient part and its diffuse part by the cosine
// between the normal and the way to the light. The spot cut-off stays at 180
// degrees and the attenuation at 1, so neither changes anything.
void LightVertex(const float eye[4], float out[4]) {
  const float *normal = CurrentEyeNormal();
  float sum[3] = {sceneAmbient * materialAmbient, sceneAmbient * materialAmbient, sceneAmbient * materialAmbient};
  for (const SubsetLight &light : subsetState.lights) {
    if (!light.enabled) continue;
    float toLight[3];
    TowardLight(light, eye, toLight);
    float cosine = normal[0] * toLight[0] + normal[1] * toLight[1] + normal[2] * toLight[2];
    if (cosine < 0.0f) cosine = 0.0f;
    for (int i = 0; i < 3; ++i) sum[i] += light.ambient[i] * materialAmbient + cosine * light.diffuse[i] * materialDiffuse;
  }
  for (int i = 0; i < 3; ++i) out[i] = Clamp01(sum[i]);
  out[3] = materialAlpha;
}

void ShadeVertex(const float eye[4], float out[4]) {
  if (subsetState.lighting) {
    LightVertex(eye, out);
    return;
  }
  for (int i = 0; i < 4; ++i) out[i] = Clamp01(subsetState.colour[i]);
}

// GL_EXP fog, e^-(density * distance), worked out per vertex and
// interpolated across the primitive, as GL allows where the fog hint is
// GL_FASTEST (Talmir's hint); the distance is |z| in eye coordinates, which
// GL allows for the distance from the eye, and which Mesa takes.
float FogFactor(const float eye[4]) {
  if (!subsetState.fog) return 1.0f;
  return std::exp(-subsetState.fogDensity * std::fabs(eye[2]));
}

// A strip's quads are its vertices 0 1 3 2, 2 3 5 4, ...
void AssembleIfComplete() {
  Assembly &a = assembly;
  BatchVertex *p = a.pending;
  if (a.mode == GL_TRIANGLES && a.count == 3) {
    AddBatchTriangle(p[0], p[1], p[2]);
    a.count = 0;
  } else if (a.mode == GL_QUADS && a.count == 4) {
    AddBatchQuad(p[0], p[1], p[2], p[3]);
    a.count = 0;
  } else if (a.mode == GL_QUAD_STRIP && a.count == 4) {
    AddBatchQuad(p[0], p[1], p[3], p[2]);
    p[0] = p[2];
    p[1] = p[3];
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
  const float object[4] = {x, y, z, 1.0f};
  float eye[4];
  TransformPoint(ModelviewTop(), object, eye);
  BatchVertex &v = assembly.pending[assembly.count++];
  TransformPoint(CurrentClipMatrix(), object, v.position);
  ShadeVertex(eye, v.colour);
  v.texCoord[0] = subsetState.texCoord[0];
  v.texCoord[1] = subsetState.texCoord[1];
  v.fog = FogFactor(eye);
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
