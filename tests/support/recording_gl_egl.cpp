// recording_gl_egl.cpp: the tests' GL on Linux: Mesa through EGL on its
// surfaceless platform, with pbuffer surfaces.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "support/recording_gl.h"

namespace {

EGLDisplay eglDisplay = EGL_NO_DISPLAY;
EGLConfig eglConfig = nullptr;

// An EGL display on Mesa's surfaceless platform with an exact 8-8-8 colour,
// no alpha, 16-bit depth configuration, so read-backs are exact.
bool OpenEglDisplay() {
  if (eglDisplay != EGL_NO_DISPLAY) return true;
  auto getPlatformDisplay =
      (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
  if (getPlatformDisplay == nullptr) return false;
  EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
  const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                           EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                           EGL_DEPTH_SIZE, 16, EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, configs, 64, &count)) return false;
  for (EGLint i = 0; i < count; ++i) {
    EGLint r, g, b, a;
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &r);
    eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &g);
    eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &b);
    eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &a);
    if (r == 8 && g == 8 && b == 8 && a == 0) {
      eglConfig = configs[i];
      break;
    }
  }
  if (eglConfig == nullptr && count > 0) eglConfig = configs[0];
  if (eglConfig == nullptr || !eglBindAPI(EGL_OPENGL_API)) return false;
  eglDisplay = display;
  return true;
}

}  // namespace

TestSurface MakeTestSurface(int width, int height) {
  if (!OpenEglDisplay()) return nullptr;
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(eglDisplay, eglConfig, size);
  return surface == EGL_NO_SURFACE ? nullptr : surface;
}

void DestroyTestSurface(TestSurface surface) {
  if (surface != nullptr) eglDestroySurface(eglDisplay, surface);
}

TestContext MakeTestContext() {
  if (!OpenEglDisplay()) return nullptr;
  EGLContext context = eglCreateContext(eglDisplay, eglConfig, EGL_NO_CONTEXT, nullptr);
  return context == EGL_NO_CONTEXT ? nullptr : context;
}

void DestroyTestContext(TestContext context) {
  if (context != nullptr) eglDestroyContext(eglDisplay, context);
}

bool BindTestContext(TestSurface surface, TestContext context) {
  if (eglDisplay == EGL_NO_DISPLAY) return surface == nullptr && context == nullptr;
  if (context == nullptr) return eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  return eglMakeCurrent(eglDisplay, surface, surface, context) == EGL_TRUE;
}

void SwapTestSurface(TestSurface surface) {
  if (surface != nullptr) eglSwapBuffers(eglDisplay, surface);
}
