// frame.cpp: draws one frame.
#include "scene/frame.h"

#include <GL/gl.h>

float sceneClock = 0.0f;

int RenderFrame() {
  sceneClock += 0.07f;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return 1;
}
