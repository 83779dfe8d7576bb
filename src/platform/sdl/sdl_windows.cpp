// sdl_windows.cpp: the program's windows as SDL windows: made hidden with
// the GL visual the program will ask for, shown, raised and focused.
#include "platform/core/window_frame.h"
#include "platform/sdl/sdl_backend.h"

namespace {

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
  AskForContextKind();
}

}  // namespace

SystemWindow *SystemCreateWindow(PlatformWindow *window, const char *title) {
  if (!EnsureVideo()) return nullptr;
  Rect insets = WindowFrameInsets(window->style);
  bool popup = (window->style & WS_POPUP) != 0;
  SDL_DisplayMode mode;
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  flags |= popup ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE;
  bool fullscreen = popup && ChosenFullscreenMode(&mode);
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  SetDefaultGlAttributes();
  SDL_Window *sdl = SDL_CreateWindow(title, window->rect.left + insets.left, window->rect.top + insets.top,
                                     window->clientWidth, window->clientHeight, flags);
  if (sdl == nullptr) return nullptr;
  if (fullscreen) SDL_SetWindowDisplayMode(sdl, &mode);
  return new SystemWindow{sdl};
}

void SystemDestroyWindow(PlatformWindow *window) {
  SDL_DestroyWindow(window->system->sdl);
  delete window->system;
  window->system = nullptr;
  FollowFocus();
}

void SystemShowWindow(PlatformWindow *window) { SDL_ShowWindow(window->system->sdl); }

void SystemRaiseWindow(PlatformWindow *window) { SDL_RaiseWindow(window->system->sdl); }

void SystemFocusWindow(PlatformWindow *window) { SDL_SetWindowInputFocus(window->system->sdl); }

WindowHandle SystemFocusedWindow() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
  return WindowFromSdl(SDL_GetKeyboardFocus());
}
