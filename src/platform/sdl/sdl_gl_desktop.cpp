// sdl_gl_desktop.cpp: contexts of the desktop's own OpenGL, which draws each
// call as it comes: SDL's default context is the one the program needs.
#include "platform/sdl/sdl_backend.h"

void AskForContextKind() {}

void FinishFrameDrawing() {}

void ContextDeleted() {}
