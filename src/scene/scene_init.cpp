// scene_init.cpp: prepares a fresh rendering context for the frame drawing.
#include "scene/scene_init.h"

#include <GL/gl.h>

int InitScene() {
  glClearColor(0.5f, 0.5f, 0.6f, 1.0f);
  return 1;
}
