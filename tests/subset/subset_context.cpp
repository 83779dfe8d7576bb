// subset_context.cpp: Mesa's ES 2.0 through EGL on the surfaceless platform,
// an exact 8-8-8-8 configuration so that read-backs are exact.
#include "subset_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLConfig config = nullptr;
EGLContext context = EGL_NO_CONTEXT;
EGLSurface surface = EGL_NO_SURFACE;

bool OpenDisplay() {
  if (display != EGL_NO_DISPLAY) return true;
  auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
  if (getPlatformDisplay == nullptr) return false;
  display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
  const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT,
                           EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                           EGL_DEPTH_SIZE, 16, EGL_NONE};
  EGLint count = 0;
  return eglChooseConfig(display, wanted, &config, 1, &count) && count == 1 && eglBindAPI(EGL_OPENGL_ES_API);
}

}  // namespace

bool MakeSubsetContextCurrent(int width, int height) {
  if (!OpenDisplay()) return false;
  if (context != EGL_NO_CONTEXT) {
    EndSubsetContext();
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglDestroySurface(display, surface);
  }
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  const EGLint version[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
  surface = eglCreatePbufferSurface(display, config, size);
  context = eglCreateContext(display, config, EGL_NO_CONTEXT, version);
  if (surface == EGL_NO_SURFACE || context == EGL_NO_CONTEXT) return false;
  if (!eglMakeCurrent(display, surface, surface, context)) return false;
  glViewport(0, 0, width, height);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

std::array<int, 4> PixelAt(int x, int y) {
  unsigned char rgba[4] = {};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}
