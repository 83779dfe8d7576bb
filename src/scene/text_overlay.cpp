// text_overlay.cpp: the font display lists and the overlay lines.
#include "scene/text_overlay.h"

#include <GL/gl.h>

#include "platform/platform.h"

static GLuint fontListBase = 0;

void FreeFontLists() {
  // The lists belong to a context; once it is released they are gone with it.
  if (GetCurrentRenderingContext() == nullptr) return;
  glDeleteLists(fontListBase, 256);
}
