// web_video.cpp: window classes, the page's fullscreen as the display mode,
// the canvas as the window, the WebGL context and the frame's presentation,
// over emscripten's HTML5 API.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <map>
#include <string>

#include "gl_subset/gl_subset.h"
#include "platform/web_backend.h"
#include "platform/window_frame.h"

struct PlatformInstance {
  int unused;
};

struct PlatformDevice {
  PlatformWindow *window;
};

struct PlatformContext {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl;
};

namespace {

PlatformInstance programInstance;
std::map<std::string, WindowClass> windowClasses;
PlatformWindow *liveWindow = nullptr;
PlatformContext *currentContext = nullptr;

// A canvas has one WebGL context for the life of the page: a context the
// program releases is kept and handed out again, its objects deleted.
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE pageContext = 0;

bool enteredFullscreen = false;  // the program asked for fullscreen and has not left it

SwapHook swapHook = nullptr;
int swapCount = 0;

bool IsDevice(DeviceContext device) { return device != nullptr && IsLiveWindow(device->window); }

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

// The cursor over the canvas, shown or hidden.
EM_JS(void, ShowCanvasCursor, (int show), {
  var canvas = document.querySelector("#canvas");
  if (canvas) canvas.style.cursor = show ? "" : "none";
});

// The stage (the canvas's frame in shell.html) goes fullscreen, the canvas
// scaled inside it. A browser allows it for a few seconds after the user's
// key or click (F1's, here, a frame ago); where it refuses, the program is
// told as if the page had left fullscreen. 0 where the page cannot go
// fullscreen at all.
EM_JS(int, RequestStageFullscreen, (const char *selector), {
  var stage = document.querySelector(UTF8ToString(selector));
  if (!stage || !stage.requestFullscreen || !document.fullscreenEnabled) return 0;
  stage.requestFullscreen().catch(function() { _WebFullscreenRefused(); });
  return 1;
});

EM_JS(void, ExitPageFullscreen, (), {
  if (document.fullscreenElement) document.exitFullscreen().catch(function() {});
});

}  // namespace

// ===================== shared within the backend

PlatformWindow *LiveWindow() { return liveWindow; }

bool IsLiveWindow(const PlatformWindow *window) { return window != nullptr && window == liveWindow; }

LResult SendToWindow(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam) {
  return window->procedure(window, message, wParam, lParam);
}

// The page's answer to a refused fullscreen.
extern "C" EMSCRIPTEN_KEEPALIVE void WebFullscreenRefused() { PageLeftFullscreen(); }

bool EnterPageFullscreen() {
  enteredFullscreen = RequestStageFullscreen(stageSelector) != 0;
  return enteredFullscreen;
}

void LeavePageFullscreen() {
  enteredFullscreen = false;
  ExitPageFullscreen();
}

// The program still thinks it is fullscreen: the F1 that leaves it brings
// it back to its windowed mode, as if the user had pressed it.
void PageLeftFullscreen() {
  if (!enteredFullscreen) return;
  enteredFullscreen = false;
  PostKeyTap(VK_F1);
}

// ===================== instance and classes

InstanceHandle GetProgramInstance() { return &programInstance; }

int RegisterWindowClass(const WindowClass *windowClass) {
  if (windowClass == nullptr || windowClass->className == nullptr || windowClass->procedure == nullptr) return 0;
  if (windowClasses.count(windowClass->className)) return 0;
  windowClasses[windowClass->className] = *windowClass;
  ListenToPage();
  return 1;
}

int UnregisterWindowClass(const char *className, InstanceHandle instance) {
  if (className == nullptr || instance != &programInstance) return 0;
  return windowClasses.erase(className) ? 1 : 0;
}

// ===================== display mode and cursor visibility

// The page has one display mode, the screen's own; fullscreen is the
// browser's fullscreen of the canvas, its drawing buffer staying 1024x768.
int ChangeDisplayMode(const DisplayMode *mode, unsigned flags) {
  if (mode == nullptr) {
    LeavePageFullscreen();
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!(flags & CDS_FULLSCREEN)) return DISP_CHANGE_FAILED;
  return EnterPageFullscreen() ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
}

int ShowMouseCursor(int show) {
  static int showCount = 0;
  showCount += show ? 1 : -1;
  ShowCanvasCursor(showCount >= 0);
  return showCount;
}

// ===================== the window: the canvas

WindowHandle CreatePlatformWindow(uint32_t exStyle, const char *className, const char *title, uint32_t style,
                                  int x, int y, int width, int height, WindowHandle parent,
                                  InstanceHandle instance) {
  (void)exStyle;
  (void)x;
  (void)y;
  (void)parent;
  auto found = windowClasses.find(className ? className : "");
  if (found == windowClasses.end() || instance != &programInstance || liveWindow != nullptr) return nullptr;
  Rect insets = WindowFrameInsets(style);
  int clientWidth = width - insets.left - insets.right, clientHeight = height - insets.top - insets.bottom;
  if (emscripten_set_canvas_element_size(canvasSelector, clientWidth, clientHeight) != EMSCRIPTEN_RESULT_SUCCESS)
    return nullptr;
  if (title != nullptr) emscripten_set_window_title(title);
  liveWindow = new PlatformWindow{found->second.procedure, style, clientWidth, clientHeight, false};
  SendToWindow(liveWindow, WM_SIZE, 0, (LParam)((clientWidth & 0xFFFF) | ((clientHeight & 0xFFFF) << 16)));
  return liveWindow;
}

int DestroyPlatformWindow(WindowHandle window) {
  if (!IsLiveWindow(window)) return 0;
  SendToWindow(window, WM_ACTIVATE, WA_INACTIVE, 0);
  DropQueuedMessages(window);
  liveWindow = nullptr;
  delete window;
  return 1;
}

int ShowPlatformWindow(WindowHandle window, int command) {
  (void)command;
  if (!IsLiveWindow(window)) return 0;
  SendToWindow(window, WM_ACTIVATE, WA_ACTIVE, 0);
  return 1;
}

int BringWindowToFront(WindowHandle window) { return IsLiveWindow(window) ? 1 : 0; }

// The page's keys always reach the canvas's window.
WindowHandle SetInputFocus(WindowHandle window) {
  (void)window;
  return liveWindow;
}

WindowHandle GetFocusWindow() { return liveWindow; }

// ===================== device contexts and pixel formats

DeviceContext GetDeviceContext(WindowHandle window) {
  if (!IsLiveWindow(window)) return nullptr;
  return new PlatformDevice{window};
}

int ReleaseDeviceContext(WindowHandle window, DeviceContext device) {
  if (device == nullptr || device->window != window) return 0;
  delete device;
  return 1;
}

int ChoosePixelFormat(DeviceContext device, const PixelFormatDescriptor *descriptor) {
  const uint32_t needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  if (!IsDevice(device) || descriptor == nullptr) return 0;
  if ((descriptor->dwFlags & needed) != needed || descriptor->iPixelType != PFD_TYPE_RGBA) return 0;
  return 1;  // the canvas's one format: 8 bits a channel, a depth buffer
}

int SetPixelFormat(DeviceContext device, int format, const PixelFormatDescriptor *descriptor) {
  if (!IsDevice(device) || format != 1 || descriptor == nullptr || device->window->hasPixelFormat) return 0;
  device->window->hasPixelFormat = true;
  return 1;
}

// ===================== rendering contexts and the swap

RenderingContext CreateRenderingContext(DeviceContext device) {
  if (!IsDevice(device) || !device->window->hasPixelFormat) return nullptr;
  if (pageContext == 0) pageContext = MakePageContext();
  if (pageContext <= 0) return nullptr;
  return new PlatformContext{pageContext};
}

int MakeRenderingContextCurrent(DeviceContext device, RenderingContext context) {
  if (context == nullptr) {
    currentContext = nullptr;
    return 1;
  }
  if (!IsDevice(device) || emscripten_webgl_make_context_current(context->webgl) != EMSCRIPTEN_RESULT_SUCCESS)
    return 0;
  currentContext = context;
  return 1;
}

// The WebGL context lives on; what the program made in it goes, as its
// objects would go with a desktop context.
int DeleteRenderingContext(RenderingContext context) {
  if (context == nullptr) return 0;
  if (currentContext == context) currentContext = nullptr;
  if (emscripten_webgl_make_context_current(context->webgl) == EMSCRIPTEN_RESULT_SUCCESS) EndSubsetContext();
  delete context;
  return 1;
}

RenderingContext GetCurrentRenderingContext() { return currentContext; }

// What waits is drawn now; the browser shows the frame once the page's frame
// callback returns, at the display's pace.
int SwapDeviceBuffers(DeviceContext device) {
  if (!IsDevice(device)) return 0;
  SubsetFlush();
  if (swapHook != nullptr) swapHook(++swapCount);
  return 1;
}

void SetSwapHook(SwapHook hook) { swapHook = hook; }

// A page always draws into its canvas, paced by the browser.
void RequestOffscreenRendering() {}

void SetSwapPacing(int on) { (void)on; }

// A page has no folder of its own: its data is packed with it.
int GetProgramFolder(char *folder, size_t size) {
  (void)folder;
  (void)size;
  return 0;
}

void ShutdownPlatform() {
  StopSoundPlayback();
  LeavePageFullscreen();
}
