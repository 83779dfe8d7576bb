// web_gl_context.cpp: the canvas's WebGL context under the program's GL
// contexts, the frame's presentation, and the context's loss: a browser
// may take the context away at any time (a GPU reset, a phone putting the
// page in the background) and give it back empty. The page rests
// meanwhile; given back, the GL subset makes its objects again from what it
// keeps and the flight goes on where it was.
#include <emscripten/html5.h>

#include "gl_subset/gl_subset.h"
#include "platform/core/swap_pacing.h"
#include "platform/web/web_backend.h"

struct SystemContext {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl;
};

namespace {

// A canvas has one WebGL context for the life of the page: a context the
// program lets go of is kept and handed out again, its objects deleted.
SystemContext pageContext = {0};

// The picture as the desktop draws it: opaque, no multisampling, the depth
// buffer the program asks for; WebGL 1, which the subset is written for.
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE MakePageContext() {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_TRUE;
  attributes.stencil = EM_FALSE;
  attributes.antialias = EM_FALSE;
  attributes.preserveDrawingBuffer = EM_FALSE;
  attributes.majorVersion = 1;
  attributes.minorVersion = 0;
  return emscripten_webgl_create_context(canvasSelector, &attributes);
}

// Said in the page where the browser gives no WebGL at all (turned off, or
// a browser without it), under the program's own box.
EM_JS(void, SayWebGlIsMissing, (), {
  var talmir = window.talmir = window.talmir || {};
  talmir.failed = "Talmir cannot draw here: this browser gives the page no WebGL " +
    "(it may be turned off in its settings, or its graphics driver blocked).";
  var status = document.getElementById("status");
  if (status) status.textContent = talmir.failed;
});

// True: the browser is asked to give the context back (by default it would not).
EM_BOOL OnContextLost(int, const void *, void *) {
  SetPageRest(glContextLost, true);
  return EM_TRUE;
}

EM_BOOL OnContextRestored(int, const void *, void *) {
  if (emscripten_webgl_make_context_current(pageContext.webgl) == EMSCRIPTEN_RESULT_SUCCESS)
    SubsetContextRestored();
  SetPageRest(glContextLost, false);
  return EM_TRUE;
}

}  // namespace

// The canvas is the surface.
bool SystemOpenDevice(PlatformDevice *) { return true; }

void SystemCloseDevice(PlatformDevice *) {}

// The canvas's one format: 8 bits a channel, a depth buffer.
bool SystemSetPixelFormat(PlatformWindow *, const PixelFormatDescriptor &) { return true; }

SystemContext *SystemCreateContext(PlatformDevice *, const PlatformContext *) {
  if (pageContext.webgl > 0) return &pageContext;
  pageContext.webgl = MakePageContext();
  if (pageContext.webgl <= 0) {
    pageContext.webgl = 0;
    SayWebGlIsMissing();
    return nullptr;
  }
  emscripten_set_webglcontextlost_callback(canvasSelector, nullptr, EM_TRUE, OnContextLost);
  emscripten_set_webglcontextrestored_callback(canvasSelector, nullptr, EM_TRUE, OnContextRestored);
  return &pageContext;
}

bool SystemMakeCurrent(PlatformDevice *, PlatformContext *context) {
  return emscripten_webgl_make_context_current(context->system->webgl) == EMSCRIPTEN_RESULT_SUCCESS;
}

void SystemReleaseCurrent(PlatformContext *) {}

// The WebGL context lives on; what the program made in it goes, as its
// objects would go with a desktop context.
void SystemDeleteContext(PlatformContext *context) {
  if (emscripten_webgl_make_context_current(context->system->webgl) == EMSCRIPTEN_RESULT_SUCCESS)
    EndSubsetContext();
}

// The browser paces frames itself.
bool SystemSetSwapInterval(int) { return false; }

// What waits is drawn now, before the tools' hook reads the frame.
void SystemFinishFrame(PlatformDevice *) {
  SubsetFlush();
}

// The browser shows the frame once the page's frame callback returns, at
// the display's pace.
void SystemPresent(PlatformDevice *) {}
