// sdl_video.cpp: window classes, the fullscreen display mode, windows, focus,
// pixel format, GL contexts and the paced buffer swap, on SDL2.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl_backend.h"
#include "platform/swap_pacing.h"
#include "platform/window_frame.h"

struct PlatformInstance {
  int unused;
};

struct PlatformDevice {
  PlatformWindow *window;
};

struct PlatformContext {
  SDL_GLContext gl;
  PlatformWindow *window;
};

namespace {

PlatformInstance programInstance;
std::map<std::string, WindowClass> windowClasses;
std::vector<PlatformWindow *> liveWindows;

// The fullscreen mode: chosen by ChangeDisplayMode, put on the screen by the
// popup window that follows, and taken back by a restore or the window's end.
bool displayModeChanged = false;
SDL_DisplayMode fullscreenMode;

PlatformContext *currentContext = nullptr;

struct SignalRestore {
  int signal;
  struct sigaction previous;
};
SignalRestore crashSignals[] = {{SIGSEGV, {}}, {SIGBUS, {}}, {SIGFPE, {}}, {SIGILL, {}}, {SIGABRT, {}}};

// Leaves the changed display mode so that no way out, a crash included,
// leaves the desktop in the program's mode.
void RestoreDesktopMode() {
  for (PlatformWindow *window : liveWindows)
    if (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_FULLSCREEN) SDL_SetWindowFullscreen(window->sdl, 0);
  displayModeChanged = false;
}

void RestoreOnCrash(int signal) {
  RestoreDesktopMode();
  for (SignalRestore &entry : crashSignals)
    if (entry.signal == signal) sigaction(signal, &entry.previous, nullptr);
  raise(signal);
}

void InstallCrashRestore() {
  struct sigaction action = {};
  action.sa_handler = RestoreOnCrash;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  for (SignalRestore &entry : crashSignals) sigaction(entry.signal, &action, &entry.previous);
}

// The display's 1024x768-style entry closest in depth to the one asked for.
// SDL's own mode-setting calls report success even for modes the display
// lacks, so the decision rests on the display's list.
bool FindFullscreenMode(int width, int height, int bits, SDL_DisplayMode *found) {
  int best = -1, bestDistance = 1 << 30;
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w != width || mode.h != height) continue;
    int distance = abs((int)SDL_BITSPERPIXEL(mode.format) - bits);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best >= 0 && SDL_GetDisplayMode(0, best, found) == 0;
}

// What a window is made with before it has a format: the format the program
// asks for, so that the visual chosen at creation fits it.
void SetDefaultGlAttributes() {
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// ---- pacing (platform/swap_pacing.h): the display's refresh period, and
// vertical sync asked of every new context.
double RefreshPeriod(SDL_Window *window) {
  SDL_DisplayMode mode;
  int rate = 0;
  if (SDL_GetWindowDisplayMode(window, &mode) == 0) rate = mode.refresh_rate;
  if (rate <= 0 && SDL_GetCurrentDisplayMode(0, &mode) == 0) rate = mode.refresh_rate;
  return 1.0 / (rate > 0 ? rate : 60);
}

// Every new context asks again, as the tools' choice of no pacing must hold
// across a mode switch too.
void StartPacing() {
  if (!swapPacing.on) {
    SDL_GL_SetSwapInterval(0);
    return;
  }
  RestartSwapPacing(SDL_GL_SetSwapInterval(1) == 0);
}

// The tools' hook inside the swap, and the swaps counted for it.
SwapHook swapHook = nullptr;
int swapCount = 0;

bool IsDevice(DeviceContext device) { return device != nullptr && IsLiveWindow(device->window); }

}  // namespace

// ===================== shared within the backend

bool EnsureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  // Without a desktop SDL would fall back to a driver that shows nothing;
  // a desktop program says so instead (a chosen SDL_VIDEODRIVER still counts).
  if (!SDL_getenv("DISPLAY") && !SDL_getenv("WAYLAND_DISPLAY") && !SDL_getenv("SDL_VIDEODRIVER")) {
    std::fprintf(stderr, "Talmir cannot open a window: no display could be reached (neither DISPLAY nor "
                         "WAYLAND_DISPLAY is set).\n");
    return false;
  }
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "Talmir cannot open a window: no display could be reached (%s).\n", SDL_GetError());
    return false;
  }
  InstallCrashRestore();
  return true;
}

PlatformWindow *LiveWindow() { return liveWindows.empty() ? nullptr : liveWindows.back(); }

bool IsLiveWindow(const PlatformWindow *window) {
  for (PlatformWindow *live : liveWindows)
    if (live == window) return true;
  return false;
}

PlatformWindow *WindowFromSdl(SDL_Window *sdl) {
  for (PlatformWindow *live : liveWindows)
    if (live->sdl == sdl) return live;
  return nullptr;
}

LResult SendToWindow(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam) {
  return window->procedure(window, message, wParam, lParam);
}

// ===================== instance and classes

InstanceHandle GetProgramInstance() { return &programInstance; }

int RegisterWindowClass(const WindowClass *windowClass) {
  if (windowClass == nullptr || windowClass->className == nullptr || windowClass->procedure == nullptr) return 0;
  if (!EnsureVideo() || windowClasses.count(windowClass->className)) return 0;
  windowClasses[windowClass->className] = *windowClass;
  return 1;
}

int UnregisterWindowClass(const char *className, InstanceHandle instance) {
  if (className == nullptr || instance != &programInstance) return 0;
  return windowClasses.erase(className) ? 1 : 0;
}

// ===================== display mode and cursor visibility

int ChangeDisplayMode(const DisplayMode *mode, unsigned flags) {
  if (mode == nullptr) {
    RestoreDesktopMode();
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!(flags & CDS_FULLSCREEN) || !EnsureVideo()) return DISP_CHANGE_FAILED;
  int bits = (mode->fields & DM_BITSPERPEL) ? (int)mode->bitsPerPixel : 32;
  if (!FindFullscreenMode((int)mode->width, (int)mode->height, bits, &fullscreenMode))
    return DISP_CHANGE_BADMODE;
  displayModeChanged = true;
  return DISP_CHANGE_SUCCESSFUL;
}

int ShowMouseCursor(int show) {
  static int showCount = 0;
  showCount += show ? 1 : -1;
  // SDL hides the cursor over our own windows only; the desktop keeps its own.
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(showCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return showCount;
}

// ===================== windows

WindowHandle CreatePlatformWindow(uint32_t exStyle, const char *className, const char *title,
                                  uint32_t style, int x, int y, int width, int height,
                                  WindowHandle parent, InstanceHandle instance) {
  (void)exStyle;
  (void)parent;
  auto found = windowClasses.find(className ? className : "");
  if (found == windowClasses.end() || instance != &programInstance || !EnsureVideo()) return nullptr;
  Rect insets = WindowFrameInsets(style);
  int clientWidth = width - insets.left - insets.right;
  int clientHeight = height - insets.top - insets.bottom;
  bool popup = (style & WS_POPUP) != 0;
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  flags |= popup ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE;
  if (popup && displayModeChanged) flags |= SDL_WINDOW_FULLSCREEN;
  SetDefaultGlAttributes();
  SDL_Window *sdl = SDL_CreateWindow(title ? title : "", x + insets.left, y + insets.top, clientWidth,
                                     clientHeight, flags);
  if (sdl == nullptr) return nullptr;
  if (flags & SDL_WINDOW_FULLSCREEN) SDL_SetWindowDisplayMode(sdl, &fullscreenMode);
  auto *window = new PlatformWindow{sdl, found->second.procedure, style, clientWidth, clientHeight, false, false};
  liveWindows.push_back(window);
  SendToWindow(window, WM_SIZE, 0, PackSize(clientWidth, clientHeight));
  return window;
}

int DestroyPlatformWindow(WindowHandle window) {
  if (!IsLiveWindow(window)) return 0;
  SendToWindow(window, WM_ACTIVATE, WA_INACTIVE, 0);
  if (currentContext != nullptr && currentContext->window == window) {
    SDL_GL_MakeCurrent(window->sdl, nullptr);
    currentContext = nullptr;
  }
  // What arrived before the window goes is queued first; the key releases
  // SDL makes up while destroying it then name a window that is gone, and
  // are not passed on (the keys may well still be held).
  PumpPlatformEvents();
  SDL_DestroyWindow(window->sdl);
  DropQueuedMessages(window);
  std::erase(liveWindows, window);
  delete window;
  ResetCursorTracking();
  return 1;
}

int ShowPlatformWindow(WindowHandle window, int command) {
  (void)command;
  if (!IsLiveWindow(window)) return 0;
  SDL_ShowWindow(window->sdl);
  SendToWindow(window, WM_ACTIVATE, WA_ACTIVE, 0);
  return 1;
}

int BringWindowToFront(WindowHandle window) {
  if (!IsLiveWindow(window)) return 0;
  SDL_RaiseWindow(window->sdl);
  return 1;
}

WindowHandle SetInputFocus(WindowHandle window) {
  WindowHandle previous = GetFocusWindow();
  if (IsLiveWindow(window)) SDL_SetWindowInputFocus(window->sdl);
  return previous;
}

WindowHandle GetFocusWindow() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
  return WindowFromSdl(SDL_GetKeyboardFocus());
}

bool WindowHasInputFocus(const PlatformWindow *window) {
  if (!IsLiveWindow(window)) return false;
  // The offscreen driver has no focus of its own; its one window has the input.
  const char *driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && SDL_strcmp(driver, "offscreen") == 0) return true;
  return (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

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
  return 1;  // the one format the backend offers: RGBA, as deep as the visual
}

int SetPixelFormat(DeviceContext device, int format, const PixelFormatDescriptor *descriptor) {
  if (!IsDevice(device) || format != 1 || descriptor == nullptr || device->window->hasPixelFormat) return 0;
  int channelBits = descriptor->cColorBits <= 16 ? 5 : 8;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, descriptor->cAlphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, descriptor->cDepthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, descriptor->cStencilBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, descriptor->cAccumRedBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, descriptor->cAccumGreenBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, descriptor->cAccumBlueBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, descriptor->cAccumAlphaBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (descriptor->dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);
  device->window->hasPixelFormat = true;
  return 1;
}

// ===================== rendering contexts and the swap

RenderingContext CreateRenderingContext(DeviceContext device) {
  if (!IsDevice(device) || !device->window->hasPixelFormat) return nullptr;
  SDL_GLContext gl = SDL_GL_CreateContext(device->window->sdl);
  if (gl == nullptr) return nullptr;
  // SDL makes a new context current; making it current is a step of its own.
  if (currentContext != nullptr)
    SDL_GL_MakeCurrent(currentContext->window->sdl, currentContext->gl);
  else
    SDL_GL_MakeCurrent(device->window->sdl, nullptr);
  return new PlatformContext{gl, device->window};
}

int MakeRenderingContextCurrent(DeviceContext device, RenderingContext context) {
  if (context == nullptr) {
    if (currentContext != nullptr && IsLiveWindow(currentContext->window))
      SDL_GL_MakeCurrent(currentContext->window->sdl, nullptr);
    currentContext = nullptr;
    return 1;
  }
  if (!IsDevice(device) || SDL_GL_MakeCurrent(device->window->sdl, context->gl) != 0) return 0;
  context->window = device->window;
  currentContext = context;
  StartPacing();
  return 1;
}

int DeleteRenderingContext(RenderingContext context) {
  if (context == nullptr) return 0;
  if (currentContext == context) MakeRenderingContextCurrent(nullptr, nullptr);
  SDL_GL_DeleteContext(context->gl);
  delete context;
  return 1;
}

RenderingContext GetCurrentRenderingContext() { return currentContext; }

int SwapDeviceBuffers(DeviceContext device) {
  if (!IsDevice(device)) return 0;
  if (swapHook != nullptr) swapHook(++swapCount);
  SDL_GL_SwapWindow(device->window->sdl);
  std::this_thread::sleep_until(NextSwapTime(RefreshPeriod(device->window->sdl)));
  return 1;
}

void SetSwapHook(SwapHook hook) { swapHook = hook; }

void RequestOffscreenRendering() {
  // SDL's offscreen driver: real GL through EGL, no display needed.
  SDL_setenv("SDL_VIDEODRIVER", "offscreen", 1);
}

void SetSwapPacing(int on) {
  swapPacing.on = on != 0;
  if (currentContext != nullptr) SDL_GL_SetSwapInterval(on ? 1 : 0);
}

int GetProgramFolder(char *folder, size_t size) {
  char *base = SDL_GetBasePath();
  if (base == nullptr) return 0;
  bool fits = SDL_strlcpy(folder, base, size) < size;
  SDL_free(base);
  return fits ? 1 : 0;
}

void ShutdownPlatform() {
  StopSoundPlayback();
  RestoreDesktopMode();
  SDL_Quit();
}
