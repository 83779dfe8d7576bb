// win32_values.cpp: the Windows values platform.h keeps, checked against
// <windows.h> whenever the Win32 backend is built. The backend passes
// message numbers, key codes and flags to Windows as they are, so a value
// that drifted would be a silent fault; here it stops the build. No code.

// platform.h first, with its PostQuitMessage out of sight (see win32_backend.h).
#define PostQuitMessage PostQuitMessageOfTheProgram
#include "platform/platform.h"
#undef PostQuitMessage

#define TALMIR_WINDOWS_VALUES(X)                                                                  \
  X(WM_SIZE) X(WM_ACTIVATE) X(WM_CLOSE) X(WM_QUIT) X(WM_KEYDOWN) X(WM_KEYUP) X(WM_CHAR)           \
  X(WM_SYSKEYDOWN) X(WM_SYSKEYUP) X(WM_SYSCOMMAND) X(WM_MOUSEMOVE) X(WM_LBUTTONDOWN)              \
  X(WM_LBUTTONUP) X(WM_LBUTTONDBLCLK) X(WM_RBUTTONDOWN) X(WM_RBUTTONUP) X(WM_RBUTTONDBLCLK)       \
  X(WM_MBUTTONDOWN) X(WM_MBUTTONUP) X(WA_INACTIVE) X(WA_ACTIVE) X(SC_CLOSE) X(SC_SCREENSAVE)      \
  X(SC_MONITORPOWER) X(VK_BACK) X(VK_TAB) X(VK_RETURN) X(VK_SHIFT) X(VK_CONTROL) X(VK_MENU)       \
  X(VK_PAUSE) X(VK_CAPITAL) X(VK_ESCAPE) X(VK_SPACE) X(VK_PRIOR) X(VK_NEXT) X(VK_END) X(VK_HOME)  \
  X(VK_LEFT) X(VK_UP) X(VK_RIGHT) X(VK_DOWN) X(VK_SNAPSHOT) X(VK_INSERT) X(VK_DELETE) X(VK_LWIN)  \
  X(VK_RWIN) X(VK_APPS) X(VK_NUMPAD0) X(VK_MULTIPLY) X(VK_ADD) X(VK_SUBTRACT) X(VK_DECIMAL)       \
  X(VK_DIVIDE) X(VK_F1) X(VK_F4) X(VK_F10) X(VK_F12) X(VK_NUMLOCK) X(VK_SCROLL) X(VK_OEM_1)       \
  X(VK_OEM_PLUS) X(VK_OEM_COMMA) X(VK_OEM_MINUS) X(VK_OEM_PERIOD) X(VK_OEM_2) X(VK_OEM_3)         \
  X(VK_OEM_4) X(VK_OEM_5) X(VK_OEM_6) X(VK_OEM_7) X(MB_OK) X(MB_YESNO) X(MB_ICONSTOP)             \
  X(MB_ICONEXCLAMATION) X(MB_ICONINFORMATION) X(MB_TYPEMASK) X(MB_ICONMASK) X(IDOK) X(IDYES)      \
  X(IDNO) X(CS_VREDRAW) X(CS_HREDRAW) X(CS_OWNDC) X(WS_POPUP) X(WS_OVERLAPPEDWINDOW)              \
  X(WS_CLIPSIBLINGS) X(WS_CLIPCHILDREN) X(WS_EX_WINDOWEDGE) X(WS_EX_APPWINDOW) X(SW_SHOW)         \
  X(PFD_DOUBLEBUFFER) X(PFD_DRAW_TO_WINDOW) X(PFD_SUPPORT_OPENGL) X(PFD_TYPE_RGBA)                \
  X(PFD_MAIN_PLANE) X(DM_BITSPERPEL) X(DM_PELSWIDTH) X(DM_PELSHEIGHT) X(CDS_FULLSCREEN)           \
  X(DISP_CHANGE_SUCCESSFUL) X(DISP_CHANGE_FAILED) X(DISP_CHANGE_BADMODE) X(SND_ASYNC)              \
  X(SND_NODEFAULT) X(SND_LOOP) X(SND_NOSTOP) X(PM_NOREMOVE) X(PM_REMOVE)

// The program's values, under names of their own, before <windows.h> makes
// the names its macros.
#define TALMIR_KEEP_PROGRAM_VALUE(name) constexpr long long program_##name = (long long)(name);
TALMIR_WINDOWS_VALUES(TALMIR_KEEP_PROGRAM_VALUE)

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <mmsystem.h>

#define TALMIR_CHECK_VALUE(name) \
  static_assert(program_##name == (long long)(name), #name " keeps its Windows value");
TALMIR_WINDOWS_VALUES(TALMIR_CHECK_VALUE)
