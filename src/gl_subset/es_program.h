// es_program.h: the subset's one ES 2.0 shader program and the two buffers it
// draws from, as the current context holds them, and the context's state the
// subset has set (the raster switches and functions, the fog colour), so that
// a draw sets only what differs.
#pragma once

#include <GLES2/gl2.h>

#include "gl_subset/subset_state.h"

// The vertex attributes' locations, bound before linking.
enum EsAttribute : GLuint { positionAttribute, colourAttribute, texCoordAttribute, placeAttribute, fogAttribute };

struct EsProgram {
  GLuint program;       // 0 while the context has none of ours
  GLuint vertexBuffer;  // the batch's vertices and indices, streamed at every draw
  GLuint indexBuffer;
  GLint fogColour;      // the fog colour's uniform location
};

extern EsProgram esProgram;  // the current context's; all 0 at start and after EndEsProgram

// The program and buffers, made if this module never made them (or ended
// them). It asks the context nothing, so a primitive may call it each time.
// False when the shader cannot be made; after a failure only the next draw
// tries again (a lost context fails every time, and a frame has thousands
// of primitives).
bool HaveEsProgram();
// The same, and made again when the context no longer has them (a new
// context after the old was released); asks the context, once per draw.
bool HaveEsProgramInContext();
// Draws from here on with the program, the raster state and the fog colour,
// setting only what the context does not have already.
void UseEsProgram(const RasterState &raster, const float fogColour[3]);
// The program and buffers are deleted from the context, and what the
// context was known to have is forgotten.
void EndEsProgram();
// The same without deleting: the context lost them.
void ForgetEsProgram();
