// es_program.cpp: the shader pair that draws the batch, compiled and linked
// with its attribute locations bound, the buffers beside it, and the cache of
// what the context has set, which lives and dies with them.
#include "gl_subset/es_program.h"

#include <cstdio>
#include <cstring>

EsProgram esProgram;

namespace {

// What the current context is known to have set, to leave alone; nothing is
// known of a context the program was not made in.
struct EsStateCache {
  bool rasterKnown;
  RasterState raster;
  bool fogColourKnown;
  float fogColour[3];  // the program's fog colour uniform
};

EsStateCache esState;
bool lastMakingFailed = false;  // primitives wait for the next draw to try again

constexpr const char *vertexShader = R"(
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
constexpr const char *fragmentShader = R"(
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
    constexpr const char *names[] = {"position", "colour", "texCoord", "place", "fog"};  // in EsAttribute's order
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
bool MakeEsProgram() {
  esProgram = EsProgram{};
  esState = EsStateCache{};
  esProgram.program = LinkProgram();
  lastMakingFailed = esProgram.program == 0;
  if (lastMakingFailed) return false;
  glUseProgram(esProgram.program);
  glUniform1i(glGetUniformLocation(esProgram.program, "atlas"), 0);
  esProgram.fogColour = glGetUniformLocation(esProgram.program, "fogColour");
  glGenBuffers(1, &esProgram.vertices.name);
  glGenBuffers(1, &esProgram.indices.name);
  return true;
}

void SetSwitch(GLenum cap, bool on) {
  if (on)
    glEnable(cap);
  else
    glDisable(cap);
}

void ApplyRaster(const RasterState &r) {
  const RasterState &k = esState.raster;
  bool all = !esState.rasterKnown;
  if (all || r.depthTest != k.depthTest) SetSwitch(GL_DEPTH_TEST, r.depthTest);
  if (all || r.blend != k.blend) SetSwitch(GL_BLEND, r.blend);
  if (all || r.cullFace != k.cullFace) SetSwitch(GL_CULL_FACE, r.cullFace);
  if (all || r.depthFunc != k.depthFunc) glDepthFunc(r.depthFunc);
  if (all || r.blendSource != k.blendSource || r.blendDestination != k.blendDestination)
    glBlendFunc(r.blendSource, r.blendDestination);
  esState.rasterKnown = true;
  esState.raster = r;
}

void ApplyFogColour(const float colour[3]) {
  if (esState.fogColourKnown && memcmp(colour, esState.fogColour, sizeof esState.fogColour) == 0) return;
  glUniform3fv(esProgram.fogColour, 1, colour);
  esState.fogColourKnown = true;
  memcpy(esState.fogColour, colour, sizeof esState.fogColour);
}

}  // namespace

GLsizeiptr StreamInto(StreamBuffer &b, GLenum target, const void *data, GLsizeiptr bytes) {
  constexpr GLsizeiptr firstSize = 1 << 20;
  glBindBuffer(target, b.name);
  b.frameBytes += bytes;
  if (2 * b.frameBytes > b.size) {
    GLsizeiptr size = firstSize;
    while (size < 2 * b.frameBytes) size *= 2;
    glBufferData(target, size, nullptr, GL_STREAM_DRAW);
    b.size = size;
    b.used = 0;
  } else if (b.used + bytes > b.size) {
    b.used = 0;
  }
  GLsizeiptr offset = b.used;
  glBufferSubData(target, offset, bytes, data);
  b.used += (bytes + 3) / 4 * 4;  // every part starts on 4 bytes, as vertices and indices must
  return offset;
}

void EndStreamFrame() { esProgram.vertices.frameBytes = esProgram.indices.frameBytes = 0; }

bool HaveEsProgram() { return esProgram.program != 0 || (!lastMakingFailed && MakeEsProgram()); }

bool HaveEsProgramToDraw() { return esProgram.program != 0 || MakeEsProgram(); }

void UseEsProgram(const RasterState &raster, const float fogColour[3]) {
  glUseProgram(esProgram.program);
  ApplyRaster(raster);
  ApplyFogColour(fogColour);
}

void EndEsProgram() {
  if (esProgram.program != 0) {
    glDeleteProgram(esProgram.program);
    glDeleteBuffers(1, &esProgram.vertices.name);
    glDeleteBuffers(1, &esProgram.indices.name);
  }
  ForgetEsProgram();
}

void ForgetEsProgram() {
  esProgram = EsProgram{};
  esState = EsStateCache{};
  lastMakingFailed = false;
}
