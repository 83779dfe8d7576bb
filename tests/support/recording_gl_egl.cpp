// recording_gl_egl.cpp: the tests' GL on Linux: Mesa's desktop GL through
// EGL on its surfaceless platform, with pbuffer surfaces (support/egl_context).
#include "support/egl_context.h"
#include "support/recording_gl.h"

namespace {

EglOffscreen gl;  // opened on the first surface or context asked for

// 8-8-8 colour, no alpha.
bool OpenGl() { return OpenEglOffscreen(EglApi::desktopGl, 0, &gl); }

}  // namespace

TestSurface MakeTestSurface(int width, int height) {
  if (!OpenGl()) return nullptr;
  EGLSurface surface = MakeEglPbuffer(gl, width, height);
  return surface == EGL_NO_SURFACE ? nullptr : surface;
}

void DestroyTestSurface(TestSurface surface) {
  if (surface != nullptr) eglDestroySurface(gl.display, surface);
}

TestContext MakeTestContext() {
  if (!OpenGl()) return nullptr;
  EGLContext context = MakeEglContext(gl);
  return context == EGL_NO_CONTEXT ? nullptr : context;
}

void DestroyTestContext(TestContext context) {
  if (context != nullptr) eglDestroyContext(gl.display, context);
}

bool BindTestContext(TestSurface surface, TestContext context) {
  if (gl.display == EGL_NO_DISPLAY) return surface == nullptr && context == nullptr;
  if (context == nullptr) return eglMakeCurrent(gl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  return eglMakeCurrent(gl.display, surface, surface, context) == EGL_TRUE;
}

void SwapTestSurface(TestSurface surface) {
  if (surface != nullptr) eglSwapBuffers(gl.display, surface);
}
