// system.h: what each backend's system does for the shared core. The core
// carries out the services of platform.h that every backend shares and calls
// these for the system's own part; a backend defines each of them, and
// reaches back into the core only through the core's own headers (the
// queue, the window list, the cursor model). The Win32 backend takes the
// cursor model and pacing (their own hooks are in cursor_model.h and
// swap_pacing.h); the SDL, web and tests' backends take them all.
#pragma once

#include "platform/core/window_list.h"

struct PlatformDevice;
struct PlatformContext;
struct SystemContext;  // the backend's own record of a GL context
struct SystemSurface;  // the backend's own drawing surface of a device, where it has one

// ---- the queue (message_queue.cpp): turns the events that have arrived
// into queued messages.
void SystemPumpEvents();

// ---- windows (windows.cpp)
// The display is reached before a class is registered; false, with the
// reason on standard error, when none can be.
bool SystemOpenDisplay();
// Makes the system's window for a record whose style, rectangle and client
// size are set; null on failure.
SystemWindow *SystemCreateWindow(PlatformWindow *window, const char *title);
void SystemDestroyWindow(PlatformWindow *window);
void SystemShowWindow(PlatformWindow *window);
void SystemRaiseWindow(PlatformWindow *window);
void SystemFocusWindow(PlatformWindow *window);
// The window that has the keyboard focus, or null.
WindowHandle SystemFocusedWindow();
void SystemShowCursor(bool visible);
// Another program's window by its system id (or hostRootWindow), as a
// record of the system's own, and its client size; null when there is none.
// A window whose parent is a host draws inside it: SystemCreateWindow finds
// the host in window->parent.
SystemWindow *SystemFindHostWindow(uint64_t systemId, int *width, int *height);
void SystemForgetHostWindow(SystemWindow *host);
// The primary screen's size at its present mode; false where it cannot be told.
bool SystemScreenSize(int *width, int *height);

// ---- devices, contexts and the swap (gl_handles.cpp)
struct PlatformDevice {
  PlatformWindow *window;
  SystemSurface *surface;
};

struct PlatformContext {
  SystemContext *system;
  PlatformWindow *window;  // the window it was last made current on
};

// A device's own surface, where the system draws through one; false on failure.
bool SystemOpenDevice(PlatformDevice *device);
void SystemCloseDevice(PlatformDevice *device);
bool SystemSetPixelFormat(PlatformWindow *window, const PixelFormatDescriptor &descriptor);
// A new context for the device's window, leaving current the one that was
// (current, or none); null on failure.
SystemContext *SystemCreateContext(PlatformDevice *device, const PlatformContext *current);
bool SystemMakeCurrent(PlatformDevice *device, PlatformContext *context);
// The refresh rate of the display the device's window is on, in Hz; 0
// where it cannot be told.
int SystemRefreshRate(PlatformDevice *device);
// Lets go of the current context (null: none is).
void SystemReleaseCurrent(PlatformContext *current);
void SystemDeleteContext(PlatformContext *context);
// The frame's last drawing is finished, then (after the tools' hook has
// seen the frame) it is presented, paced.
void SystemFinishFrame(PlatformDevice *device);
void SystemPresent(PlatformDevice *device);

// ===================== from the backend to the core

// Everything the core keeps (windows, classes, the queue, handles, the
// cursor, pacing) goes back to its state at start: a backend calls it as
// it shuts down, so a platform brought up again starts afresh.
void ResetPlatformCore();
