// draw_batch.cpp: the waiting triangles, the one shader program that draws
// them, and the ES state it needs, set only where it differs from what the
// ES context already has.
#include "gl_subset/draw_batch.h"

#include <GLES2/gl2.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gl_subset/subset_state.h"

namespace {

// 16-bit indices: a batch holds at most this many vertices.
const size_t batchVertexLimit = 65536;

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

// The ES objects of the context, made when first needed and again in a new
// context; and what the context is known to have set, to leave alone.
struct EsObjects {
  GLuint program, vertexBuffer, indexBuffer;
  GLint fogColour;  // uniform location
};

struct EsKnown {
  bool raster;
  RasterState rasterState;
  bool fogColour;
  float fogColourValue[3];
};

// The attributes' locations, bound before linking.
enum : GLuint { positionAttribute, colourAttribute, texCoordAttribute, placeAttribute, fogAttribute };

Batch batch;
Run run;
EsObjects es;
EsKnown known;

const char *const vertexShader = R"(
attribute vec4 position;
attribute vec4 colour;
attribute vec2 texCoord;
attribute vec4 place;
attribute float fog;
varying vec4 vColour;
varying vec2 vTexCoord;
varying vec4 vPlace;
varying float vFog;
void main() {
  gl_Position = position;
  vColour = colour;
  vTexCoord = texCoord;
  vPlace = place;
  vFog = fog;
}
)";

// The texel, from the texture's place in the atlas (repeating: the border
// round each image makes the filtering at its edges GL_REPEAT's), modulates
// the colour (GL's default texture environment); an untextured primitive
// samples the atlas's white texel. Then the fog colour is mixed in by the
// vertices' fog factor, alpha untouched.
const char *const fragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D atlas;
uniform vec3 fogColour;
varying vec4 vColour;
varying vec2 vTexCoord;
varying vec4 vPlace;
varying float vFog;
void main() {
  vec4 c = vColour * texture2D(atlas, vPlace.xy + fract(vTexCoord) * vPlace.zw);
  gl_FragColor = vec4(mix(fogColour, c.rgb, vFog), c.a);
}
)";

GLuint CompileShader(GLenum kind, const char *source) {
  GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled) return shader;
  char log[1024] = "";
  glGetShaderInfoLog(shader, sizeof log, nullptr, log);
  std::fprintf(stderr, "Talmir's GL subset: a shader does not compile: %s\n", log);
  glDeleteShader(shader);
  return 0;
}

GLuint LinkProgram() {
  GLuint vertex = CompileShader(GL_VERTEX_SHADER, vertexShader);
  GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, fragmentShader);
  GLuint program = vertex && fragment ? glCreateProgram() : 0;
  if (program != 0) {
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    const char *names[] = {"position", "colour", "texCoord", "place", "fog"};
    for (GLuint i = 0; i < 5; ++i) glBindAttribLocation(program, i, names[i]);
    glLinkProgram(program);
  }
  glDeleteShader(vertex);  // the program keeps them while it lives
  glDeleteShader(fragment);
  GLint linked = 0;
  if (program != 0) glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (program != 0 && !linked) {
    std::fprintf(stderr, "Talmir's GL subset: the shader program does not link\n");
    glDeleteProgram(program);
    program = 0;
  }
  return program;
}

// Makes the program and buffers in a context that has none of ours (the
// first, or a new one after the old was released); false when the shader
// cannot be made.
bool MakeEsObjects() {
  es = EsObjects{};
  known = EsKnown{};
  es.program = LinkProgram();
  if (es.program == 0) return false;
  glUseProgram(es.program);
  glUniform1i(glGetUniformLocation(es.program, "atlas"), 0);
  es.fogColour = glGetUniformLocation(es.program, "fogColour");
  glGenBuffers(1, &es.vertexBuffer);
  glGenBuffers(1, &es.indexBuffer);
  return true;
}

bool HaveEsObjects() { return (es.program != 0 && glIsProgram(es.program)) || MakeEsObjects(); }

void SetSwitch(GLenum cap, bool on) {
  if (on)
    glEnable(cap);
  else
    glDisable(cap);
}

void ApplyRaster(const RasterState &r) {
  const RasterState &k = known.rasterState;
  bool all = !known.raster;
  if (all || r.depthTest != k.depthTest) SetSwitch(GL_DEPTH_TEST, r.depthTest);
  if (all || r.blend != k.blend) SetSwitch(GL_BLEND, r.blend);
  if (all || r.cullFace != k.cullFace) SetSwitch(GL_CULL_FACE, r.cullFace);
  if (all || r.depthFunc != k.depthFunc) glDepthFunc(r.depthFunc);
  if (all || r.blendSource != k.blendSource || r.blendDestination != k.blendDestination)
    glBlendFunc(r.blendSource, r.blendDestination);
  known.raster = true;
  known.rasterState = r;
}

void ApplyFogColour(const float colour[3]) {
  if (known.fogColour && memcmp(colour, known.fogColourValue, sizeof known.fogColourValue) == 0) return;
  glUniform3fv(es.fogColour, 1, colour);
  known.fogColour = true;
  memcpy(known.fogColourValue, colour, sizeof known.fogColourValue);
}

void PointAttribute(GLuint location, int size, size_t offset) {
  glEnableVertexAttribArray(location);
  glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, sizeof(BatchVertex), (const void *)offset);
}

void Upload() {
  glBindBuffer(GL_ARRAY_BUFFER, es.vertexBuffer);
  glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(batch.vertices.size() * sizeof(BatchVertex)), batch.vertices.data(),
               GL_STREAM_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, es.indexBuffer);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, (GLsizeiptr)(batch.indices.size() * sizeof(uint16_t)),
               batch.indices.data(), GL_STREAM_DRAW);
  PointAttribute(positionAttribute, 4, offsetof(BatchVertex, position));
  PointAttribute(colourAttribute, 4, offsetof(BatchVertex, colour));
  PointAttribute(texCoordAttribute, 2, offsetof(BatchVertex, texCoord));
  PointAttribute(placeAttribute, 4, offsetof(BatchVertex, place));
  PointAttribute(fogAttribute, 1, offsetof(BatchVertex, fog));
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
  if (es.program == 0 && !MakeEsObjects()) return;
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
  if (!HaveEsObjects()) {
    ClearBatch();
    return;
  }
  glUseProgram(es.program);
  ApplyRaster(batch.raster);
  ApplyFogColour(batch.fogColour);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, AtlasTexture());
  Upload();
  glDrawElements(GL_TRIANGLES, (GLsizei)batch.indices.size(), GL_UNSIGNED_SHORT, nullptr);
  ClearBatch();
}

void EndBatchContext() {
  ClearBatch();
  if (es.program != 0 && glIsProgram(es.program)) {
    glDeleteProgram(es.program);
    glDeleteBuffers(1, &es.vertexBuffer);
    glDeleteBuffers(1, &es.indexBuffer);
  }
  es = EsObjects{};
  known = EsKnown{};
}
