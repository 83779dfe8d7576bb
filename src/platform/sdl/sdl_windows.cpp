// sdl_windows.cpp: the program's windows as SDL windows: made hidden with
// the GL visual the program will ask for, shown, raised and focused.
//
// Under Wayland a window the program destroys is kept instead, as it is:
// SDL 2.26 leaves a window's libdecor frame behind when it destroys the
// window, still holding the freed window as its own, and the compositor's
// next configure of that frame (the window losing its activation once the
// next one is shown) runs SDL's handler on freed memory. The program's next
// window is the kept one, dressed for its kind (the fullscreen popup, the
// framed window), so a mode switch is one window changing its state, which
// is how Wayland expects it. Hiding it instead would not do: a fullscreen
// surface unmapped before the compositor saw it leave fullscreen leaves
// some compositors' fullscreen backdrop (weston's) over the next window.
// Kept windows are hidden when a message box needs the screen and go for
// good at the platform's end.
//
// A window drawing in another program's window (a screensaver's host) is
// that window itself as SDL sees it: it is never kept, never shown, raised
// or focused by us, and SDL does not destroy a window it did not make.
#include <vector>

#include "platform/core/window_frame.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// Windows the program destroyed, kept for its next ones; newest last.
std::vector<SDL_Window *> keptWindows;

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

// The newest kept window dressed as a new window of that kind would be
// made, or null when none is kept.
SDL_Window *TakeKeptWindow(bool popup, const char *title, int width, int height) {
  if (keptWindows.empty()) return nullptr;
  SDL_Window *sdl = keptWindows.back();
  keptWindows.pop_back();
  SDL_SetWindowFullscreen(sdl, 0);
  SDL_RestoreWindow(sdl);  // the user may have maximised it
  SDL_SetWindowBordered(sdl, popup ? SDL_FALSE : SDL_TRUE);
  SDL_SetWindowResizable(sdl, popup ? SDL_FALSE : SDL_TRUE);
  SDL_SetWindowSize(sdl, width, height);
  SDL_SetWindowTitle(sdl, title);
  return sdl;
}

}  // namespace

SystemWindow *SystemCreateWindow(PlatformWindow *window, const char *title) {
  if (!EnsureVideo()) return nullptr;
  if (window->parent != nullptr) {
    SDL_Window *sdl = CreateWindowInHost(window->parent->system);
    return sdl != nullptr ? new SystemWindow{sdl, window->parent->system->hostId} : nullptr;
  }
  Rect insets = WindowFrameInsets(window->style);
  bool popup = (window->style & WS_POPUP) != 0;
  SDL_DisplayMode mode;
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  flags |= popup ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE;
  bool fullscreen = popup && ChosenFullscreenMode(&mode);
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window *sdl = TakeKeptWindow(popup, title, window->clientWidth, window->clientHeight);
  if (sdl == nullptr) {
    SetDefaultGlAttributes();
    sdl = SDL_CreateWindow(title, window->rect.left + insets.left, window->rect.top + insets.top,
                           window->clientWidth, window->clientHeight, flags);
    if (sdl == nullptr) return nullptr;
    if (fullscreen) SDL_SetWindowDisplayMode(sdl, &mode);
  } else if (fullscreen) {
    SDL_SetWindowDisplayMode(sdl, &mode);
    SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN);
  }
  return new SystemWindow{sdl};
}

void SystemDestroyWindow(PlatformWindow *window) {
  if (DriverLeavesFramesBehind() && window->parent == nullptr)
    keptWindows.push_back(window->system->sdl);
  else
    SDL_DestroyWindow(window->system->sdl);
  delete window->system;
  window->system = nullptr;
  FollowFocus();
}

void HideKeptWindows() {
  for (SDL_Window *kept : keptWindows) SDL_HideWindow(kept);
}

void DestroyKeptWindows() {
  if (keptWindows.empty()) return;
  // Hiding waits on the compositor, which may configure any frame there is
  // then; with every window hidden first, destroying them dispatches nothing.
  HideKeptWindows();
  for (PlatformWindow *live : LiveWindows()) SDL_HideWindow(live->system->sdl);
  for (SDL_Window *kept : keptWindows) SDL_DestroyWindow(kept);
  keptWindows.clear();
}

// The host's owner shows, stacks and focuses it, not we.
void SystemShowWindow(PlatformWindow *window) {
  if (window->parent == nullptr) SDL_ShowWindow(window->system->sdl);
}

void SystemRaiseWindow(PlatformWindow *window) {
  if (window->parent == nullptr) SDL_RaiseWindow(window->system->sdl);
}

void SystemFocusWindow(PlatformWindow *window) {
  if (window->parent == nullptr) SDL_SetWindowInputFocus(window->system->sdl);
}

WindowHandle SystemFocusedWindow() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
  return WindowFromSdl(SDL_GetKeyboardFocus());
}
