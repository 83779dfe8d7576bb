// draw_batch.cpp: the waiting triangles, gathered in runs and batches while
// the state allows, and drawn with one call: from buffers kept from the
// frame before where the batch came the same, else streamed into the ES
// program's stream buffers.
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
  VertexUniforms uniforms;
  Matrix4 projection;         // the one uniforms.clip was made with
  AtlasPlace primitivePlace;  // the texture of the primitive being added
  float shift[3];             // added to its vertices (see JoinsShifted)
};

// The vertex uniforms of the state of the moment, worked out again where
// the state changed: the matrices where one of them did.
struct UniformsOfState {
  bool valid;
  unsigned modelviewChanges, projectionChanges, stateChanges;
  VertexUniforms uniforms;
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

// A frame's batches as the frame before drew them, by their place in the
// frame: a batch that comes again with the same vertices and indices (the
// sky, the terrain and the ground of a frame where nobody climbs: their
// object coordinates do not change, only the uniforms) is drawn from the
// buffers made for it the second time it came (GL_STATIC_DRAW), and sent no
// more; one that changed is streamed, and kept to compare with the next.
struct KeptBatch {
  std::vector<BatchVertex> vertices;
  std::vector<uint16_t> indices;
  GLuint vertexBuffer, indexBuffer;  // 0 until it came the same twice
};

struct KeptBatches {
  std::vector<KeptBatch> batches;
  size_t next;  // the next batch's place in the frame
};

// Batches past this many a frame are always streamed.
constexpr size_t keptBatchLimit = 64;

Batch batch;
Run run;
KeptBatches kept;
UniformsOfState uniformsOfState;

const VertexUniforms &CurrentUniforms() {
  UniformsOfState &c = uniformsOfState;
  const SubsetState &s = subsetState;
  bool matrices = !c.valid || c.modelviewChanges != s.modelviewChanges || c.projectionChanges != s.projectionChanges;
  if (!matrices && c.stateChanges == s.stateChanges) return c.uniforms;
  VertexUniforms &u = c.uniforms;
  if (matrices) {
    u.clip = ClipMatrix();
    u.modelview = ModelviewTop();
    NormalMatrix(ModelviewTop(), u.normalMatrix);
  }
  u.lighting = s.lighting ? 1.0f : 0.0f;
  u.fog = s.fog ? 1.0f : 0.0f;
  u.fogDensity = s.fogDensity;
  for (int i = 0; i < subsetLightCount; ++i) {
    const SubsetLight &light = s.lights[i];
    u.lightOn[i] = light.enabled ? 1.0f : 0.0f;
    memcpy(u.lightPosition[i], light.position, sizeof u.lightPosition[i]);
    memcpy(u.lightAmbient[i], light.ambient, sizeof u.lightAmbient[i]);
    memcpy(u.lightDiffuse[i], light.diffuse, sizeof u.lightDiffuse[i]);
  }
  c.modelviewChanges = s.modelviewChanges;
  c.projectionChanges = s.projectionChanges;
  c.stateChanges = s.stateChanges;
  c.valid = true;
  return u;
}

bool SameUniforms(const VertexUniforms &a, const VertexUniforms &b) { return memcmp(&a, &b, sizeof a) == 0; }

// A primitive whose model-view differs from the batch's only by where it
// moves things to, neither turning nor scaling (the overlay's pen, moved on
// glyph by glyph), joins the batch with its vertices moved by the
// difference instead of ending it: under such a matrix the eye coordinates
// are the object coordinates plus its translation. False where anything
// else differs.
bool JoinsShifted(const VertexUniforms &u, float shift[3]) {
  const VertexUniforms &b = batch.uniforms;
  constexpr float unmoved[12] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
  size_t rest = offsetof(VertexUniforms, normalMatrix);
  if (memcmp((const char *)&u + rest, (const char *)&b + rest, sizeof u - rest) != 0) return false;
  if (memcmp(u.modelview.m, unmoved, sizeof unmoved) != 0 || memcmp(b.modelview.m, unmoved, sizeof unmoved) != 0 ||
      u.modelview.m[15] != 1.0f || b.modelview.m[15] != 1.0f)
    return false;
  if (memcmp(&batch.projection, &ProjectionTop(), sizeof(Matrix4)) != 0) return false;
  for (int i = 0; i < 3; ++i) shift[i] = u.modelview.m[12 + i] - b.modelview.m[12 + i];
  return true;
}

void PointAttribute(GLuint location, int size, GLsizeiptr offset, GLsizei stride = sizeof(BatchVertex)) {
  glEnableVertexAttribArray(location);
  glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride, (const void *)offset);
}

// A streamed vertex of a batch whose vertices all share one normal and one
// colour (the swaying vegetation's): those two go once, as the attributes'
// constant values, and each vertex is a little over half as large.
struct SharedVertex {
  float position[3];
  float texCoord[2];
  AtlasPlace place;
};

std::vector<SharedVertex> sharedVertices;

bool SharesNormalAndColour() {
  const BatchVertex &first = batch.vertices.front();
  for (const BatchVertex &v : batch.vertices)
    if (memcmp(v.normal, first.normal, sizeof v.normal) != 0 || memcmp(v.colour, first.colour, sizeof v.colour) != 0)
      return false;
  return true;
}

// The batch's vertices without their shared normal and colour into the
// stream buffer, the attributes pointed at them; the offset of its indices.
GLsizeiptr StreamShared() {
  sharedVertices.clear();
  for (const BatchVertex &v : batch.vertices)
    sharedVertices.push_back({{v.position[0], v.position[1], v.position[2]}, {v.texCoord[0], v.texCoord[1]}, v.place});
  GLsizeiptr vertices = StreamInto(esProgram.vertices, GL_ARRAY_BUFFER, sharedVertices.data(),
                                   (GLsizeiptr)(sharedVertices.size() * sizeof(SharedVertex)));
  GLsizeiptr indices = StreamInto(esProgram.indices, GL_ELEMENT_ARRAY_BUFFER, batch.indices.data(),
                                  (GLsizeiptr)(batch.indices.size() * sizeof(uint16_t)));
  constexpr GLsizei stride = sizeof(SharedVertex);
  PointAttribute(positionAttribute, 3, vertices + offsetof(SharedVertex, position), stride);
  PointAttribute(texCoordAttribute, 2, vertices + offsetof(SharedVertex, texCoord), stride);
  PointAttribute(placeAttribute, 4, vertices + offsetof(SharedVertex, place), stride);
  glDisableVertexAttribArray(normalAttribute);
  glVertexAttrib3fv(normalAttribute, batch.vertices.front().normal);
  glDisableVertexAttribArray(colourAttribute);
  glVertexAttrib4fv(colourAttribute, batch.vertices.front().colour);
  return indices;
}

GLsizeiptr VertexBytes() { return (GLsizeiptr)(batch.vertices.size() * sizeof(BatchVertex)); }
GLsizeiptr IndexBytes() { return (GLsizeiptr)(batch.indices.size() * sizeof(uint16_t)); }

void DeleteKeptBuffers(KeptBatch &k) {
  if (k.vertexBuffer != 0) glDeleteBuffers(1, &k.vertexBuffer);
  if (k.indexBuffer != 0) glDeleteBuffers(1, &k.indexBuffer);
  k.vertexBuffer = k.indexBuffer = 0;
}

// The batch's kept buffers, made where it came the same as in the frame
// before; null where it is to be streamed (it changed, or the frame has too
// many batches to keep).
const KeptBatch *KeptBuffers() {
  size_t place = kept.next++;
  if (place >= keptBatchLimit) return nullptr;
  if (place >= kept.batches.size()) kept.batches.resize(place + 1);
  KeptBatch &k = kept.batches[place];
  bool same = k.vertices.size() == batch.vertices.size() && k.indices == batch.indices &&
              memcmp(k.vertices.data(), batch.vertices.data(), (size_t)VertexBytes()) == 0;
  if (!same) {
    DeleteKeptBuffers(k);
    k.vertices = batch.vertices;
    k.indices = batch.indices;
    return nullptr;
  }
  if (k.vertexBuffer == 0) {
    glGenBuffers(1, &k.vertexBuffer);
    glGenBuffers(1, &k.indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, k.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, VertexBytes(), batch.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, k.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, IndexBytes(), batch.indices.data(), GL_STATIC_DRAW);
  }
  return &k;
}

// The batch into buffers: its kept ones, or the stream buffers; the offset
// of its indices.
GLsizeiptr Upload() {
  GLsizeiptr vertices = 0, indices = 0;
  if (const KeptBatch *k = KeptBuffers()) {
    glBindBuffer(GL_ARRAY_BUFFER, k->vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, k->indexBuffer);
  } else if (SharesNormalAndColour()) {
    return StreamShared();
  } else {
    vertices = StreamInto(esProgram.vertices, GL_ARRAY_BUFFER, batch.vertices.data(), VertexBytes());
    indices = StreamInto(esProgram.indices, GL_ELEMENT_ARRAY_BUFFER, batch.indices.data(), IndexBytes());
  }
  PointAttribute(positionAttribute, 3, vertices + offsetof(BatchVertex, position));
  PointAttribute(normalAttribute, 3, vertices + offsetof(BatchVertex, normal));
  PointAttribute(colourAttribute, 4, vertices + offsetof(BatchVertex, colour));
  PointAttribute(texCoordAttribute, 2, vertices + offsetof(BatchVertex, texCoord));
  PointAttribute(placeAttribute, 4, vertices + offsetof(BatchVertex, place));
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
  BatchVertex &added = batch.vertices.back();
  added.place = batch.primitivePlace;
  for (int i = 0; i < 3; ++i) added.position[i] += batch.shift[i];
  return (uint16_t)(batch.vertices.size() - 1);
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

void AddToRun(const BatchVertex *const *corners, int count, bool outside) {
  MakeRoom((size_t)count);
  RunPrimitive primitive = {(uint16_t)batch.vertices.size(), count == 4};
  for (int i = 0; i < count; ++i) AddVertex(*corners[i]);
  run.outside = run.outside || outside;
  run.primitives.push_back(primitive);
}

}  // namespace

void BeginBatchPrimitive() {
  if (!HaveEsProgram()) return;
  const SubsetState &s = subsetState;
  if (run.stateChanges != s.stateChanges) CloseRun();
  run.stateChanges = s.stateChanges;
  const VertexUniforms &uniforms = CurrentUniforms();
  float shift[3] = {0, 0, 0};
  if (!batch.vertices.empty() &&
      !(batch.raster == s.raster && SameFogColour() &&
        (SameUniforms(batch.uniforms, uniforms) || JoinsShifted(uniforms, shift))))
    FlushBatch();
  if (batch.vertices.empty()) {
    batch.raster = s.raster;
    memcpy(batch.fogColour, s.fogColour, sizeof batch.fogColour);
    batch.uniforms = uniforms;
    batch.projection = ProjectionTop();
    shift[0] = shift[1] = shift[2] = 0;
  }
  memcpy(batch.shift, shift, sizeof batch.shift);
  batch.primitivePlace = PrimitivePlace();
}

void AddBatchTriangle(const BatchVertex &a, const BatchVertex &b, const BatchVertex &c, bool outside) {
  const BatchVertex *corners[3] = {&a, &b, &c};
  AddToRun(corners, 3, outside);
}

void AddBatchQuad(const BatchVertex &a, const BatchVertex &b, const BatchVertex &c, const BatchVertex &d,
                  bool outside) {
  const BatchVertex *corners[4] = {&a, &b, &c, &d};
  AddToRun(corners, 4, outside);
}

void FlushBatch() {
  CloseRun();
  if (batch.vertices.empty()) return;
  if (!HaveEsProgramToDraw()) {
    ClearBatch();
    return;
  }
  UseEsProgram(batch.raster, batch.fogColour, batch.uniforms);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, AtlasTexture());
  GLsizeiptr indices = Upload();
  glDrawElements(GL_TRIANGLES, (GLsizei)batch.indices.size(), GL_UNSIGNED_SHORT, (const void *)indices);
  ClearBatch();
}

void EndBatchFrame() {
  FlushBatch();
  kept.next = 0;
  EndStreamFrame();
}

void EndBatchContext() {
  ClearBatch();
  for (KeptBatch &k : kept.batches) DeleteKeptBuffers(k);
  kept = KeptBatches{};
  EndEsProgram();
}

void ForgetBatchContext() {
  CloseRun();
  ClearBatch();
  kept = KeptBatches{};
  ForgetEsProgram();
}
