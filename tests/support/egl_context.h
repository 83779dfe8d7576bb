// egl_context.h: offscreen GL of Mesa's for the tests: EGL on the
// surfaceless platform (no display needed), pbuffer surfaces, and a
// configuration with exactly 8 bits of red, green and blue, so that
// read-backs are exact. Desktop GL for the recording platform's scene,
// OpenGL ES 2.0 for the GL subset's tests.
#pragma once

#include <EGL/egl.h>

enum class EglApi { desktopGl, openGlEs2 };

struct EglOffscreen {
  EGLDisplay display = EGL_NO_DISPLAY;  // none until opened
  EGLConfig config = nullptr;
  EglApi api = EglApi::desktopGl;
};

// Opens the surfaceless display for the API, with an 8-8-8 pbuffer
// configuration with alphaBits of alpha and a 16-bit depth buffer (the first
// one offered where none has exactly that colour), and binds the API; does
// nothing once gl is open. False when Mesa offers no such display or
// configuration.
bool OpenEglOffscreen(EglApi api, int alphaBits, EglOffscreen *gl);
// A pbuffer surface of that size, or EGL_NO_SURFACE.
EGLSurface MakeEglPbuffer(const EglOffscreen &gl, int width, int height);
// A context of the display's API for its configuration, or EGL_NO_CONTEXT.
EGLContext MakeEglContext(const EglOffscreen &gl);
