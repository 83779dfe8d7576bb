// sdl_gl_es2.cpp: contexts of OpenGL ES 2.0, for the program built with
// Talmir's own fixed-function subset (gl_subset/), which keeps primitives
// waiting until they must be drawn: a frame's last ones before its swap.
#include "gl_subset/gl_subset.h"
#include "platform/sdl/sdl_backend.h"

void AskForContextKind() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}

void FinishFrameDrawing() { SubsetFlush(); }

// The subset's objects went with the context (one at a time, as Talmir
// keeps them); a new context gets new ones.
void ContextDeleted() { SubsetContextGone(); }
