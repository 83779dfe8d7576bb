// egl_context.cpp: the display through eglGetPlatformDisplayEXT, Mesa's
// surfaceless platform.
#include "support/egl_context.h"

#include <EGL/eglext.h>

namespace {

// An 8-8-8 configuration with exactly alphaBits of alpha among those offered,
// or the first offered; null when none is.
EGLConfig ExactConfig(EGLDisplay display, const EGLConfig *configs, EGLint count, int alphaBits) {
  for (EGLint i = 0; i < count; ++i) {
    EGLint r, g, b, a;
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &r);
    eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &g);
    eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &b);
    eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &a);
    if (r == 8 && g == 8 && b == 8 && a == alphaBits) return configs[i];
  }
  return count > 0 ? configs[0] : nullptr;
}

}  // namespace

bool OpenEglOffscreen(EglApi api, int alphaBits, EglOffscreen *gl) {
  if (gl->display != EGL_NO_DISPLAY) return true;
  auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
  if (getPlatformDisplay == nullptr) return false;
  EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
  EGLint renderable = api == EglApi::desktopGl ? EGL_OPENGL_BIT : EGL_OPENGL_ES2_BIT;
  const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, renderable,
                           EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, alphaBits,
                           EGL_DEPTH_SIZE, 16, EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, configs, 64, &count)) return false;
  EGLConfig config = ExactConfig(display, configs, count, alphaBits);
  if (config == nullptr || !eglBindAPI(api == EglApi::desktopGl ? EGL_OPENGL_API : EGL_OPENGL_ES_API)) return false;
  *gl = {display, config, api};
  return true;
}

EGLSurface MakeEglPbuffer(const EglOffscreen &gl, int width, int height) {
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  return eglCreatePbufferSurface(gl.display, gl.config, size);
}

EGLContext MakeEglContext(const EglOffscreen &gl) {
  const EGLint es2[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
  return eglCreateContext(gl.display, gl.config, EGL_NO_CONTEXT, gl.api == EglApi::openGlEs2 ? es2 : nullptr);
}
