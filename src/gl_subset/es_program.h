// es_program.h: the subset's one ES 2.0 shader program, which takes GL 1.1's
// vertex steps (transform, lighting, fog) from uniforms, and the two buffers
// batches stream into, as the current context holds them, and the context's
// state the subset has set (the raster switches and functions, the uniforms),
// so that a draw sets only what differs.
#pragma once

#include <GLES2/gl2.h>

#include "gl_subset/subset_state.h"

// The vertex attributes' locations, bound before linking.
enum EsAttribute : GLuint { positionAttribute, normalAttribute, colourAttribute, texCoordAttribute, placeAttribute };

// What the vertex shader takes a vertex through GL 1.1's steps with, from
// the state of the moment: primitives drawn together share it. Floats only,
// so records compare byte by byte.
struct VertexUniforms {
  Matrix4 clip;            // projection times model-view: object to clip coordinates in one step
  Matrix4 modelview;       // object to eye coordinates, for the light and the fog
  float normalMatrix[9];   // the model-view's for normals
  float lighting, fog;     // 1 on, 0 off
  float fogDensity;
  float lightOn[subsetLightCount];
  float lightPosition[subsetLightCount][4];  // eye coordinates
  float lightAmbient[subsetLightCount][3], lightDiffuse[subsetLightCount][3];
};

// A buffer that streamed data goes into, as a ring: made once at a size,
// refilled part by part, each part after the last, starting again at its
// beginning when the next part does not fit. It is made again larger only
// when a frame sends more than half of it, so the part being written was
// last drawn from a frame ago, and a frame never writes a part twice.
struct StreamBuffer {
  GLuint name;
  GLsizeiptr size;       // 0 until the buffer is made
  GLsizeiptr used;       // where the next part goes
  GLsizeiptr frameBytes; // sent since the frame began
};

struct EsProgram {
  GLuint program;  // 0 while the context has none of ours
  StreamBuffer vertices, indices;  // the batches', streamed at every draw
  // The uniforms' locations.
  GLint fogColour, clip, modelview, normalMatrix, switches, lightOn, lightPosition, lightAmbient, lightDiffuse;
};

extern EsProgram esProgram;  // the current context's; all 0 at start and after EndEsProgram

// The program and buffers, made if this module never made them (or ended or
// forgot them). It asks the context nothing: a context's end or loss is
// told to the subset (gl_subset.h), never asked of the context. False when
// the shader cannot be made; after a failure only the next draw tries again
// (a lost context fails every time, and a frame has thousands of
// primitives).
bool HaveEsProgram();
// The same for a draw, which tries again after a failure.
bool HaveEsProgramToDraw();
// Draws from here on with the program, the raster state, the fog colour and
// the vertex uniforms, setting only what the context does not have already.
void UseEsProgram(const RasterState &raster, const float fogColour[3], const VertexUniforms &uniforms);
// Binds a stream buffer to target and puts bytes into it (making it, or
// making it larger, where it must); the offset they went to.
GLsizeiptr StreamInto(StreamBuffer &buffer, GLenum target, const void *data, GLsizeiptr bytes);
// The frame is presented: the stream buffers count their next frame's bytes.
void EndStreamFrame();
// The program and buffers are deleted from the context, and what the
// context was known to have is forgotten.
void EndEsProgram();
// The same without deleting: the context lost them.
void ForgetEsProgram();
