// scene_window.h: the program's one window with its GL rendering context and
// display mode: opening, closing, and the projection for a client size.
#pragma once

#include "platform/platform.h"

struct WindowContext {
  InstanceHandle instanceHandle;
  WindowHandle windowHandle;
  DeviceContext deviceContext;
  RenderingContext renderingContext;
  unsigned char active;      // cleared while the window is minimised
  unsigned char fullscreen;  // the mode of the window now open, or to open next
};

extern WindowContext windowContext;  // program-wide; handles null while closed

// The one window, the same at every opening: its title, client size and
// colour depth, and the point at its centre where the cursor is put back
// after every frame.
inline constexpr const char *windowTitle = "Talmir";
inline constexpr int windowWidth = 1024, windowHeight = 768, windowBits = 16;
inline constexpr int cursorAnchorX = windowWidth / 2, cursorAnchorY = windowHeight / 2;

// Registers the class, sets the display mode (or asks to go windowed), makes
// the window and its GL context, sets the projection and the scene up.
// 1 on success; on failure the user has been told and everything is released.
int OpenSceneWindow(const char *title, int width, int height, int bits, unsigned char fullscreen);

// Releases whatever the window context holds, in reverse order of opening.
void CloseSceneWindow();

// Viewport and projection for a client area of that size.
void ResizeScene(int width, int height);
