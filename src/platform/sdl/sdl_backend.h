// sdl_backend.h: what the SDL2 backend's files share among themselves: the
// backend's own records of windows and contexts, and the few calls one file
// makes of another (always downwards: events and windows use the video
// connection, never the other way round). Not for the program: it sees only
// platform.h.
#pragma once

#include <SDL.h>

#include "platform/core/system.h"

struct SystemWindow {
  SDL_Window *sdl;  // null for another program's window
  unsigned long hostId = 0;  // that window's X id, for a host or a window drawing in one
  bool hostGone = false;     // a window drawing in a host: the host has gone and the window closes
};

struct SystemContext {
  SDL_GLContext gl;
};

// ---- sdl_video.cpp: the video connection
// Brings SDL's video up once; false, with the reason on standard error, when
// no display can be reached.
bool EnsureVideo();
// The program's window for an SDL window, or null.
PlatformWindow *WindowFromSdl(SDL_Window *sdl);
bool WindowHasInputFocus(const PlatformWindow *window);
// Whether the driver cannot put the pointer anywhere (Wayland, offscreen).
bool DriverCannotWarp();
// Whether destroying a window leaves its decoration frame behind, still
// reporting to it (SDL 2.26's Wayland driver): such windows are kept instead.
bool DriverLeavesFramesBehind();

// ---- sdl_windows.cpp: windows the program destroyed where the driver
// leaves their frames behind, kept for its next window: out of the way of a
// message box, and gone at the platform's end, before SDL lets go of the
// display.
void HideKeptWindows();
void DestroyKeptWindows();

// ---- sdl_display_mode.cpp: the fullscreen mode ChangeDisplayMode chose,
// for the popup window that puts it on the screen; false when none is.
bool ChosenFullscreenMode(SDL_DisplayMode *mode);
// Goes back to the desktop's own mode, if the program changed it.
void RestoreDesktopMode();

// ---- sdl_cursor.cpp: relative mode follows the focus, so another window
// keeps its own cursor; called when the focus or the window changes.
void FollowFocus();
// SDL's relative motion, which counts while relative mode is on.
void NoteMouseMotion(int dx, int dy);

// ---- sdl_host_window.cpp: drawing in another program's window (X11), and
// watching it. The SDL window for a window drawing in the host, or null
// with the reason on standard error.
SDL_Window *CreateWindowInHost(const SystemWindow *host);
// The hosts' changes become our windows' messages: a new size their WM_SIZE,
// a host gone their WM_CLOSE. Called as the events are pumped.
void WatchHostWindows();
// Whether the window draws in a host that has gone (nothing is shown there).
bool HostHasGone(const PlatformWindow *window);

// ---- sdl_keys.cpp: the virtual key of an SDL key code, or 0.
unsigned KeyFromKeycode(SDL_Keycode code);

// ---- sdl_held_keys.cpp: keys held through a mode switch (see there).
void HoldKeyThroughSwitch(unsigned code, Uint32 timestamp);
// A press or release of a key held through a switch settles it: a press is
// the key repeat of a key that never went up.
void SettleHeldKey(unsigned code, bool down, LParam *lParam);
void ReleaseKeysPastDeadline();

// ---- sdl_sound.cpp: stops the looping sound and closes the audio device.
void StopSoundPlayback();

// ---- sdl_gl_desktop.cpp or sdl_gl_es2.cpp, chosen by the build: the kind
// of GL the contexts are made for, asked for before a window and its
// context are made, the frame's drawing finished before a swap shows it,
// and a context's deletion told to what draws in it.
void AskForContextKind();
void FinishFrameDrawing();
void ContextDeleted();
