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
  bool uniformsKnown;
  VertexUniforms uniforms;
};

EsStateCache esState;
bool lastMakingFailed = false;  // primitives wait for the next draw to try again

// GL 1.1's vertex steps as Mesa's fixed function takes them: the position
// to clip coordinates by the product of the two matrices; the lighting
// equation of GL's default material (it reflects 0.2 of the ambient light
// and 0.8 of the diffuse, emits nothing, shows no highlight, alpha 1) under
// the light model's ambient 0.2, one-sided, the normal as given (not made
// unit length), each light's ambient part and its diffuse part by the
// cosine between the normal and the way to the light (the spot cut-off
// stays at 180 degrees and the attenuation at 1, so neither changes
// anything), clamped; GL_EXP fog, e^-(density * |z| in eye coordinates),
// worked out per vertex and interpolated, as GL allows where the fog hint is
// GL_FASTEST (Talmir's hint), 1 showing the colour. Without lighting the
// current colour, clamped on the processor, passes through.
constexpr const char *vertexShader = R"(
uniform mat4 clip;
uniform mat4 modelview;
uniform mat3 normalMatrix;
uniform vec3 switches;  // lighting, fog, fog density
uniform float lightOn[8];
uniform vec4 lightPosition[8];
uniform vec3 lightAmbient[8];
uniform vec3 lightDiffuse[8];
attribute vec3 position;
attribute vec3 normal;
attribute vec4 colour;
attribute vec2 texCoord;
attribute vec4 place;
varying vec4 vColour;
varying vec2 vTexCoord;
varying vec4 vPlace;
varying float vFog;
void main() {
  vec4 object = vec4(position, 1.0);
  gl_Position = clip * object;
  vec4 eye = modelview * object;
  if (switches.x != 0.0) {
    vec3 n = normalMatrix * normal;
    vec3 sum = vec3(0.2 * 0.2);
    for (int i = 0; i < 8; ++i) {
      if (lightOn[i] == 0.0) continue;
      vec4 p = lightPosition[i];
      vec3 toLight = p.w != 0.0 ? p.xyz / p.w - eye.xyz : p.xyz;
      float len = sqrt(dot(toLight, toLight));
      if (len != 0.0) toLight /= len;
      float cosine = max(dot(n, toLight), 0.0);
      sum += lightAmbient[i] * 0.2 + cosine * lightDiffuse[i] * 0.8;
    }
    vColour = vec4(clamp(sum, 0.0, 1.0), 1.0);
  } else {
    vColour = colour;
  }
  vFog = switches.y != 0.0 ? exp(-switches.z * abs(eye.z)) : 1.0;
  vTexCoord = texCoord;
  vPlace = place;
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
    constexpr const char *names[] = {"position", "normal", "colour", "texCoord", "place"};  // in EsAttribute's order
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
  GLuint p = esProgram.program;
  esProgram.fogColour = glGetUniformLocation(p, "fogColour");
  esProgram.clip = glGetUniformLocation(p, "clip");
  esProgram.modelview = glGetUniformLocation(p, "modelview");
  esProgram.normalMatrix = glGetUniformLocation(p, "normalMatrix");
  esProgram.switches = glGetUniformLocation(p, "switches");
  esProgram.lightOn = glGetUniformLocation(p, "lightOn");
  esProgram.lightPosition = glGetUniformLocation(p, "lightPosition");
  esProgram.lightAmbient = glGetUniformLocation(p, "lightAmbient");
  esProgram.lightDiffuse = glGetUniformLocation(p, "lightDiffuse");
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

// Each group of uniforms set where it differs from what the program has.
template <typename T>
bool Differs(const T &now, const T &known) {
  return !esState.uniformsKnown || memcmp(&now, &known, sizeof now) != 0;
}

void ApplyUniforms(const VertexUniforms &u) {
  const VertexUniforms &k = esState.uniforms;
  const EsProgram &p = esProgram;
  if (Differs(u.clip, k.clip)) glUniformMatrix4fv(p.clip, 1, GL_FALSE, u.clip.m);
  if (Differs(u.modelview, k.modelview)) glUniformMatrix4fv(p.modelview, 1, GL_FALSE, u.modelview.m);
  if (Differs(u.normalMatrix, k.normalMatrix)) glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, u.normalMatrix);
  if (u.lighting != k.lighting || u.fog != k.fog || u.fogDensity != k.fogDensity || !esState.uniformsKnown)
    glUniform3f(p.switches, u.lighting, u.fog, u.fogDensity);
  if (Differs(u.lightOn, k.lightOn)) glUniform1fv(p.lightOn, subsetLightCount, u.lightOn);
  if (Differs(u.lightPosition, k.lightPosition)) glUniform4fv(p.lightPosition, subsetLightCount, &u.lightPosition[0][0]);
  if (Differs(u.lightAmbient, k.lightAmbient)) glUniform3fv(p.lightAmbient, subsetLightCount, &u.lightAmbient[0][0]);
  if (Differs(u.lightDiffuse, k.lightDiffuse)) glUniform3fv(p.lightDiffuse, subsetLightCount, &u.lightDiffuse[0][0]);
  esState.uniformsKnown = true;
  esState.uniforms = u;
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

void UseEsProgram(const RasterState &raster, const float fogColour[3], const VertexUniforms &uniforms) {
  glUseProgram(esProgram.program);
  ApplyRaster(raster);
  ApplyFogColour(fogColour);
  ApplyUniforms(uniforms);
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
