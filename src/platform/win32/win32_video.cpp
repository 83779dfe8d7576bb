// win32_video.cpp: window classes, the fullscreen display mode, the cursor's
// visibility, windows and focus, on Win32 itself. The program's window
// procedure is registered as it is: Windows calls it.
#include <csignal>
#include <cstring>

#include "platform/win32/win32_backend.h"

namespace {

HWND liveWindow = nullptr;
bool offscreenRequested = false;

// On x64 Windows has one calling convention, so the program's procedure,
// whose handle, word and long types are those of a WNDPROC, is one.
static_assert(sizeof(void *) == 8, "the window procedure is registered as it is only on x64");
static_assert(sizeof(WParam) == sizeof(WPARAM) && sizeof(LParam) == sizeof(LPARAM) &&
                  sizeof(LResult) == sizeof(LRESULT),
              "message words keep their Windows sizes");

WNDPROC AsWindowsProcedure(WindowProcedure procedure) {
  // Through the type that matches every function, as GCC asks of such casts.
  return (WNDPROC)(void (*)())procedure;
}

// ---- the display mode: whatever way the program ends, a crash included,
// the desktop gets its own mode back.
bool displayModeChanged = false;
bool crashRestoreInstalled = false;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

LONG WINAPI RestoreOnCrash(EXCEPTION_POINTERS *exception) {
  RestoreDesktopMode();
  return previousFilter != nullptr ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

void RestoreOnAbort(int signal) {
  RestoreDesktopMode();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void InstallCrashRestore() {
  if (crashRestoreInstalled) return;
  crashRestoreInstalled = true;
  previousFilter = SetUnhandledExceptionFilter(RestoreOnCrash);
  std::signal(SIGABRT, RestoreOnAbort);
}

}  // namespace

// ===================== shared within the backend

HWND LiveWindow() { return liveWindow; }

bool LiveWindowIsInFront() { return liveWindow != nullptr && GetForegroundWindow() == liveWindow; }

bool OffscreenRequested() { return offscreenRequested; }

void RestoreDesktopMode() {
  if (!displayModeChanged) return;
  ChangeDisplaySettingsA(nullptr, 0);
  displayModeChanged = false;
}

// ===================== instance and classes

InstanceHandle GetProgramInstance() { return (InstanceHandle)GetModuleHandleA(nullptr); }

int RegisterWindowClass(const WindowClass *windowClass) {
  if (windowClass == nullptr) return 0;
  WNDCLASSA windowsClass = {};
  windowsClass.style = windowClass->style;
  windowsClass.lpfnWndProc = AsWindowsProcedure(windowClass->procedure);
  windowsClass.cbClsExtra = windowClass->classExtra;
  windowsClass.cbWndExtra = windowClass->windowExtra;
  windowsClass.hInstance = (HINSTANCE)windowClass->instance;
  // The program's own icon (resource 1, which the build links into
  // talmir.exe) for the title bar and the taskbar; the system's icon the
  // class names where the program carries none.
  windowsClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  if (windowsClass.hIcon == nullptr) windowsClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(windowClass->icon));
  windowsClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(windowClass->cursor));
  windowsClass.hbrBackground = (HBRUSH)(INT_PTR)windowClass->background;
  windowsClass.lpszMenuName = windowClass->menuName;
  windowsClass.lpszClassName = windowClass->className;
  return RegisterClassA(&windowsClass) != 0;
}

int UnregisterWindowClass(const char *className, InstanceHandle instance) {
  return UnregisterClassA(className, (HINSTANCE)instance) ? 1 : 0;
}

// ===================== display mode and cursor visibility

int ChangeDisplayMode(const DisplayMode *mode, unsigned flags) {
  if (mode == nullptr) {
    LONG result = ChangeDisplaySettingsA(nullptr, flags);
    displayModeChanged = false;
    return (int)result;
  }
  DEVMODEA windowsMode = {};
  windowsMode.dmSize = sizeof windowsMode;
  windowsMode.dmPelsWidth = mode->width;
  windowsMode.dmPelsHeight = mode->height;
  windowsMode.dmBitsPerPel = mode->bitsPerPixel;
  windowsMode.dmFields = mode->fields;
  LONG result = ChangeDisplaySettingsA(&windowsMode, flags);
  if (result == DISP_CHANGE_SUCCESSFUL && (flags & CDS_FULLSCREEN)) {
    displayModeChanged = true;
    InstallCrashRestore();
  }
  return (int)result;
}

int ShowMouseCursor(int show) { return ShowCursor(show ? TRUE : FALSE); }

// ===================== windows

int AdjustWindowRectangle(Rect *rect, uint32_t style, int hasMenu, uint32_t exStyle) {
  RECT windowsRect = {rect->left, rect->top, rect->right, rect->bottom};
  if (!AdjustWindowRectEx(&windowsRect, style, hasMenu ? TRUE : FALSE, exStyle)) return 0;
  *rect = Rect{(int)windowsRect.left, (int)windowsRect.top, (int)windowsRect.right, (int)windowsRect.bottom};
  return 1;
}

WindowHandle CreatePlatformWindow(uint32_t exStyle, const char *className, const char *title,
                                  uint32_t style, int x, int y, int width, int height,
                                  WindowHandle parent, InstanceHandle instance) {
  HWND window = CreateWindowExA(exStyle, className, title, style, x, y, width, height, (HWND)parent, nullptr,
                                (HINSTANCE)instance, nullptr);
  if (window != nullptr) liveWindow = window;
  return (WindowHandle)window;
}

int DestroyPlatformWindow(WindowHandle window) {
  if (!DestroyWindow((HWND)window)) return 0;
  if ((HWND)window == liveWindow) liveWindow = nullptr;
  return 1;
}

int ShowPlatformWindow(WindowHandle window, int command) {
  // Drawing offscreen, the window stays hidden: its GL surface is drawn all the same.
  if (offscreenRequested) return IsWindow((HWND)window) ? 1 : 0;
  return ShowWindow((HWND)window, command) ? 1 : 0;
}

int BringWindowToFront(WindowHandle window) {
  if (offscreenRequested) return IsWindow((HWND)window) ? 1 : 0;  // a hidden window takes nothing from the desktop
  return SetForegroundWindow((HWND)window) ? 1 : 0;
}

WindowHandle SetInputFocus(WindowHandle window) { return (WindowHandle)SetFocus((HWND)window); }

WindowHandle GetFocusWindow() { return (WindowHandle)GetFocus(); }

WindowHandle FindHostWindow(uint64_t systemId) {
  HWND host = systemId == hostRootWindow ? GetDesktopWindow() : (HWND)(uintptr_t)systemId;
  return IsWindow(host) ? (WindowHandle)host : nullptr;
}

int GetClientRectangle(WindowHandle window, Rect *rect) {
  RECT client;
  if (rect == nullptr || !GetClientRect((HWND)window, &client)) return 0;
  *rect = Rect{client.left, client.top, client.right, client.bottom};
  return 1;
}

int GetScreenRectangle(Rect *rect) {
  if (rect == nullptr) return 0;
  *rect = Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return rect->right > 0 && rect->bottom > 0 ? 1 : 0;
}

void RequestOffscreenRendering() { offscreenRequested = true; }

// ===================== the program's file and its end

int GetProgramFolder(char *folder, size_t size) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return 0;
  char *lastSeparator = std::strrchr(path, '\\');
  if (lastSeparator == nullptr) return 0;
  lastSeparator[1] = '\0';  // the folder, with its separator, as the other backends give it
  if (std::strlen(path) >= size) return 0;
  std::memcpy(folder, path, std::strlen(path) + 1);
  return 1;
}

void ShutdownPlatform() {
  StopSoundPlayback();
  RestoreDesktopMode();
  EndSwapPacing();
}
