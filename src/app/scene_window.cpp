// scene_window.cpp: opens and closes the scene window, its GL context and
// display mode, and sets the projection.
#include "app/scene_window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/main_loop.h"
#include "app/saver_window.h"
#include "app/window_proc.h"
#include "scene/scene_init.h"
#include "scene/text_overlay.h"

WindowContext windowContext = {nullptr, nullptr, nullptr, nullptr, 1, 1};

namespace {

constexpr const char *windowClassName = "OpenGL";

PixelFormatDescriptor displayPixelFormat = {
    40, 1, PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA,
    16,                // colour bits, set from the caller's bits on every opening
    0, 0, 0, 0, 0, 0,  // no per-channel bits or shifts asked for
    0, 0,              // no alpha buffer
    0, 0, 0, 0, 0,     // no accumulation buffer
    16,                // 16-bit depth buffer
    0,                 // no stencil buffer
    0,                 // no auxiliary buffers
    PFD_MAIN_PLANE, 0, 0, 0, 0};

int RegisterSceneClass() {
  WindowClass windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.procedure = SceneWindowProc;
  windowClass.instance = windowContext.instanceHandle;
  windowClass.icon = IDI_WINLOGO;
  windowClass.cursor = IDC_ARROW;
  windowClass.className = windowClassName;
  return RegisterWindowClass(&windowClass);
}

// Asks for the fullscreen mode; where the display cannot take it, the user
// may go on in a window. 0 when the program is to end.
int EnterFullscreenMode(int width, int height, int bits) {
  DisplayMode mode = {};
  mode.width = (uint32_t)width;
  mode.height = (uint32_t)height;
  mode.bitsPerPixel = (uint32_t)bits;
  mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  if (ChangeDisplayMode(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) return 1;
  if (ShowMessageBox(nullptr,
                     "The Requested Fullscreen Mode Is Not Supported By\n"
                     "Your Video Card. Use Windowed Mode Instead?",
                     "Kvel GL", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
    windowContext.fullscreen = 0;
    return 1;
  }
  ShowMessageBox(nullptr, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONSTOP);
  return 0;
}

// Every failure once the window may exist: release first, then tell.
int FailOpening(const char *text) {
  CloseSceneWindow();
  ShowMessageBox(nullptr, text, "ERROR", MB_OK | MB_ICONEXCLAMATION);
  return 0;
}

void ReportShutdownError(const char *text) {
  ShowMessageBox(nullptr, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
}

WindowHandle CreateSceneWindow(const char *title, int width, int height) {
  uint32_t exStyle = WS_EX_APPWINDOW;
  uint32_t style = WS_POPUP;
  if (!windowContext.fullscreen) {
    exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    style = WS_OVERLAPPEDWINDOW;
  }
  Rect rect = {0, 0, width, height};
  AdjustWindowRectangle(&rect, style, 0, exStyle);
  return CreatePlatformWindow(exStyle, windowClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              0, 0, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                              windowContext.instanceHandle);
}

// Pixel format, rendering context and its activation; the failure text or null.
const char *MakeRenderingContext(int bits) {
  displayPixelFormat.cColorBits = (uint8_t)bits;
  windowContext.deviceContext = GetDeviceContext(windowContext.windowHandle);
  if (windowContext.deviceContext == nullptr) return "Can't Create A GL Device Context.";
  int format = ChoosePixelFormat(windowContext.deviceContext, &displayPixelFormat);
  if (format == 0) return "Can't Find A Suitable PixelFormat.";
  if (!SetPixelFormat(windowContext.deviceContext, format, &displayPixelFormat))
    return "Can't Set The PixelFormat.";
  windowContext.renderingContext = CreateRenderingContext(windowContext.deviceContext);
  if (windowContext.renderingContext == nullptr) return "Can't Create A GL Rendering Context.";
  if (!MakeRenderingContextCurrent(windowContext.deviceContext, windowContext.renderingContext))
    return "Can't Activate The GL Rendering Context.";
  return nullptr;
}

}  // namespace

int OpenSceneWindow(const char *title, int width, int height, int bits, unsigned char fullscreen) {
  windowContext.fullscreen = fullscreen;
  windowContext.instanceHandle = GetProgramInstance();
  if (!RegisterSceneClass()) {
    ShowMessageBox(nullptr, "Failed To Register The Window Class.", "ERROR", MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  bool saver = launchOptions.saver != saverOff;
  if (windowContext.fullscreen && !EnterFullscreenMode(width, height, bits)) return 0;
  // A screensaver in another program's window leaves the cursor to it.
  if (launchOptions.saver != saverInHost) ShowMouseCursor(0);
  windowContext.windowHandle = saver ? CreateSaverWindow(windowClassName, title, &width, &height)
                                     : CreateSceneWindow(title, width, height);
  if (windowContext.windowHandle == nullptr) return FailOpening("Window Creation Error.");
  if (const char *failure = MakeRenderingContext(bits)) return FailOpening(failure);
  ShowPlatformWindow(windowContext.windowHandle, SW_SHOW);
  BringWindowToFront(windowContext.windowHandle);
  SetInputFocus(windowContext.windowHandle);
  ResizeScene(width, height);
  if (!InitScene()) return FailOpening("Initialization Failed.");
  return 1;
}

void CloseSceneWindow() {
  if (windowContext.fullscreen) ChangeDisplayMode(nullptr, 0);
  if (windowContext.fullscreen || launchOptions.saver == saverOnScreen) ShowMouseCursor(1);
  // A host that went took our window with it: the system has released the
  // window and its device context already.
  Rect client;
  bool windowGone = launchOptions.saver != saverOff && windowContext.windowHandle != nullptr &&
                    !GetClientRectangle(windowContext.windowHandle, &client);
  if (windowContext.renderingContext != nullptr) {
    if (!MakeRenderingContextCurrent(nullptr, nullptr)) ReportShutdownError("Release Of DC And RC Failed.");
    if (!DeleteRenderingContext(windowContext.renderingContext))
      ReportShutdownError("Release Rendering Context Failed.");
    windowContext.renderingContext = nullptr;
  }
  // Handles are cleared once released, so a later close never releases them again.
  if (windowGone) {
    windowContext.deviceContext = nullptr;
    windowContext.windowHandle = nullptr;
  }
  if (windowContext.deviceContext != nullptr) {
    if (!ReleaseDeviceContext(windowContext.windowHandle, windowContext.deviceContext))
      ReportShutdownError("Release Device Context Failed.");
    windowContext.deviceContext = nullptr;
  }
  if (windowContext.windowHandle != nullptr) {
    if (!DestroyPlatformWindow(windowContext.windowHandle)) ReportShutdownError("Could Not Release hWnd.");
    windowContext.windowHandle = nullptr;
  }
  if (!UnregisterWindowClass(windowClassName, windowContext.instanceHandle)) {
    ReportShutdownError("Could Not Unregister Class.");
    windowContext.instanceHandle = nullptr;
  }
  FreeFontLists();
}

void ResizeScene(int width, int height) {
  // Without a current context (inside window creation or destruction) there
  // is nothing to set.
  if (GetCurrentRenderingContext() == nullptr) return;
  if (height == 0) height = 1;
  if (width == 0) width = 1;  // a minimised window reports 0 x 0
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  constexpr float halfSize = 100.0f;
  if (width > height) {
    double x = (double)((long double)halfSize * width / height);
    glOrtho(-x, x, -halfSize, halfSize, -halfSize, halfSize);
  } else {
    double y = (double)((long double)halfSize * height / width);
    glOrtho(-halfSize, halfSize, -y, y, -halfSize, halfSize);
  }
  // Near beyond far on purpose: multiplied onto the box this gives a wide,
  // symmetric perspective without far clipping.
  gluPerspective(1.0, 1.0, 1.33, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
