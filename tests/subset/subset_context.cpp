// subset_context.cpp: Mesa's ES 2.0 through EGL on the surfaceless platform
// (support/egl_context), an exact 8-8-8-8 configuration so that read-backs
// are exact.
#include "subset_context.h"

#include <GL/gl.h>

#include "support/egl_context.h"

namespace {

EglOffscreen gl;  // opened for the first context
EGLContext context = EGL_NO_CONTEXT;
EGLSurface surface = EGL_NO_SURFACE;

// The old context and surface go; a new pair is made current.
bool SwapEglContext(int width, int height) {
  if (context != EGL_NO_CONTEXT) {
    eglMakeCurrent(gl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(gl.display, context);
    eglDestroySurface(gl.display, surface);
  }
  surface = MakeEglPbuffer(gl, width, height);
  context = MakeEglContext(gl);
  if (surface == EGL_NO_SURFACE || context == EGL_NO_CONTEXT) return false;
  return eglMakeCurrent(gl.display, surface, surface, context);
}

}  // namespace

bool MakeSubsetContextCurrent(int width, int height) {
  if (!OpenEglOffscreen(EglApi::openGlEs2, 8, &gl)) return false;
  if (context != EGL_NO_CONTEXT) EndSubsetContext();
  if (!SwapEglContext(width, height)) return false;
  glViewport(0, 0, width, height);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

bool ReplaceSubsetContextAsIfLost(int width, int height) {
  return context != EGL_NO_CONTEXT && SwapEglContext(width, height);
}

std::array<int, 4> PixelAt(int x, int y) {
  unsigned char rgba[4] = {};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

void PlainSquare(float x0, float y0, float x1, float y1, float z) {
  glBegin(GL_QUADS);
  glVertex3f(x0, y0, z);
  glVertex3f(x1, y0, z);
  glVertex3f(x1, y1, z);
  glVertex3f(x0, y1, z);
  glEnd();
}
