// platform.h: the services the platform gives Talmir (windows, display mode,
// GL context, messages, cursor, message boxes, sound, file views) and the one
// thing Talmir gives back, its window procedure. Talmir was first written for
// Windows, so the message numbers, key codes and flags keep their Windows
// values; the procedures carry our own names. Nothing else in the program
// talks to SDL or the operating system directly.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/file_view.h"

// ---- handles: opaque to the program, null when absent
struct PlatformInstance;
struct PlatformWindow;
struct PlatformDevice;
struct PlatformContext;
typedef PlatformInstance *InstanceHandle;
typedef PlatformWindow *WindowHandle;
typedef PlatformDevice *DeviceContext;
typedef PlatformContext *RenderingContext;

typedef uintptr_t WParam;
typedef intptr_t LParam;
typedef intptr_t LResult;

// The window procedure: runs on the program's thread, from DispatchPlatformMessage
// and from inside the window calls that send messages (creation, destruction).
typedef LResult (*WindowProcedure)(WindowHandle window, unsigned message, WParam wParam, LParam lParam);

struct Message {
  WindowHandle window;
  unsigned message;
  WParam wParam;
  LParam lParam;
};

struct Point {
  int x, y;
};

struct Rect {
  int left, top, right, bottom;
};

// ---- messages
enum : unsigned {
  WM_DESTROY = 0x0002,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_SYSCOMMAND = 0x0112,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
};

// WM_ACTIVATE low word; the high word is non-zero while the window is minimised.
enum : unsigned { WA_INACTIVE = 0, WA_ACTIVE = 1 };

// WM_SYSCOMMAND commands
enum : unsigned { SC_CLOSE = 0xF060, SC_SCREENSAVE = 0xF140, SC_MONITORPOWER = 0xF170 };

// lParam bit of a system-key message sent while Alt is held
enum : LParam { KEY_CONTEXT_ALT = 1 << 29 };

// ---- virtual-key codes (letters and digits are their upper-case ASCII codes)
enum : unsigned {
  VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
  VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
  VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25,
  VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D,
  VK_DELETE = 0x2E, VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D, VK_NUMPAD0 = 0x60,
  VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F,
  VK_F1 = 0x70, VK_F4 = 0x73, VK_F10 = 0x79, VK_F12 = 0x7B, VK_NUMLOCK = 0x90,
  VK_SCROLL = 0x91, VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC,
  VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0,
  VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
};

// Letter keys have no names of their own: their codes are the capital letters.
constexpr unsigned LetterKey(char letter) { return (unsigned)(unsigned char)letter; }

// ---- message boxes
enum : unsigned {
  MB_OK = 0x00, MB_YESNO = 0x04,
  MB_ICONSTOP = 0x10, MB_ICONEXCLAMATION = 0x30, MB_ICONINFORMATION = 0x40,
  MB_TYPEMASK = 0x0F, MB_ICONMASK = 0xF0,
};
enum : int { IDOK = 1, IDYES = 6, IDNO = 7 };

// ---- window class and window styles
enum : uint32_t { CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002, CS_OWNDC = 0x0020 };
enum : uint32_t {
  WS_POPUP = 0x80000000u,
  WS_CHILD = 0x40000000u,
  WS_VISIBLE = 0x10000000u,
  WS_OVERLAPPEDWINDOW = 0x00CF0000u,
  WS_CLIPSIBLINGS = 0x04000000u,
  WS_CLIPCHILDREN = 0x02000000u,
  WS_EX_TOPMOST = 0x00000008u,
  WS_EX_WINDOWEDGE = 0x00000100u,
  WS_EX_APPWINDOW = 0x00040000u,
};
enum : int { SW_SHOW = 5 };
enum : int { IDI_WINLOGO = 32517, IDC_ARROW = 32512 };

struct WindowClass {
  uint32_t style;
  WindowProcedure procedure;
  int classExtra, windowExtra;
  InstanceHandle instance;
  int icon;        // a system icon id (IDI_*)
  int cursor;      // a system cursor id (IDC_*)
  int background;  // 0: no background brush
  const char *menuName;
  const char *className;
};

// ---- pixel format, in the 40-byte layout of the Windows descriptor
enum : uint32_t { PFD_DOUBLEBUFFER = 0x01, PFD_DRAW_TO_WINDOW = 0x04, PFD_SUPPORT_OPENGL = 0x20 };
enum : uint8_t { PFD_TYPE_RGBA = 0 };
enum : int8_t { PFD_MAIN_PLANE = 0 };

struct PixelFormatDescriptor {
  uint16_t nSize, nVersion;
  uint32_t dwFlags;
  uint8_t iPixelType, cColorBits;
  uint8_t cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
  uint8_t cAlphaBits, cAlphaShift;
  uint8_t cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
  uint8_t cDepthBits, cStencilBits, cAuxBuffers;
  int8_t iLayerType;
  uint8_t bReserved;
  uint32_t dwLayerMask, dwVisibleMask, dwDamageMask;
};
static_assert(sizeof(PixelFormatDescriptor) == 40, "the descriptor keeps its 40-byte layout");

// ---- display mode
enum : uint32_t { DM_BITSPERPEL = 0x00040000u, DM_PELSWIDTH = 0x00080000u, DM_PELSHEIGHT = 0x00100000u };
enum : unsigned { CDS_FULLSCREEN = 0x04 };
enum : int { DISP_CHANGE_SUCCESSFUL = 0, DISP_CHANGE_FAILED = -1, DISP_CHANGE_BADMODE = -2 };

struct DisplayMode {
  uint32_t fields;  // DM_* bits saying which of the values below are set
  uint32_t bitsPerPixel;
  uint32_t width, height;
};

// ---- sound flags
enum : unsigned { SND_ASYNC = 0x01, SND_NODEFAULT = 0x02, SND_LOOP = 0x08, SND_NOSTOP = 0x10 };

// ---- peek flags
enum : unsigned { PM_NOREMOVE = 0, PM_REMOVE = 1 };

// ===================== services the platform gives the program

// The program's own instance handle (never null).
InstanceHandle GetProgramInstance();

// Registers a window class; 0 on failure (also when no display can be reached).
int RegisterWindowClass(const WindowClass *windowClass);
// Removes a class again; 0 on failure.
int UnregisterWindowClass(const char *className, InstanceHandle instance);

// Changes to a fullscreen display mode (flags CDS_FULLSCREEN); with a null mode
// and no flags goes back to the desktop's own mode. A DISP_CHANGE_* result.
int ChangeDisplayMode(const DisplayMode *mode, unsigned flags);

// Shows (non-zero) or hides the mouse cursor; like a counter, the cursor is
// shown while the count is 0 or more. Returns the new count.
int ShowMouseCursor(int show);

// Grows a client rectangle to the window rectangle for the style.
int AdjustWindowRectangle(Rect *rect, uint32_t style, int hasMenu, uint32_t exStyle);

// Creates a window of a registered class; the window procedure receives
// WM_SIZE from inside this call. Null on failure.
WindowHandle CreatePlatformWindow(uint32_t exStyle, const char *className, const char *title,
                                  uint32_t style, int x, int y, int width, int height,
                                  WindowHandle parent, InstanceHandle instance);
// Destroys a window; its queued messages go with it. 0 on failure.
int DestroyPlatformWindow(WindowHandle window);
// A window that another program made and that Talmir may draw in (a
// screensaver's host: the X window XScreenSaver gives, the preview HWND
// Windows gives), by its system id; hostRootWindow is the screen's own root.
// A window created with WS_CHILD and a host as its parent draws inside the
// host, at the rectangle given. Null when there is no such window.
inline constexpr uint64_t hostRootWindow = 0;
WindowHandle FindHostWindow(uint64_t systemId);
// The size of a window's drawing area (left and top 0), for a host or the
// program's own window. 0 on failure.
int GetClientRectangle(WindowHandle window, Rect *rect);
// The primary screen at its present mode, in screen coordinates. 0 on failure.
int GetScreenRectangle(Rect *rect);
int ShowPlatformWindow(WindowHandle window, int command);
int BringWindowToFront(WindowHandle window);
WindowHandle SetInputFocus(WindowHandle window);
// The window that has the keyboard focus, or null.
WindowHandle GetFocusWindow();

DeviceContext GetDeviceContext(WindowHandle window);
int ReleaseDeviceContext(WindowHandle window, DeviceContext device);
// Index (1 and up) of the format closest to the descriptor, or 0.
int ChoosePixelFormat(DeviceContext device, const PixelFormatDescriptor *descriptor);
// Gives the window its format; once per window. 0 on failure.
int SetPixelFormat(DeviceContext device, int format, const PixelFormatDescriptor *descriptor);

RenderingContext CreateRenderingContext(DeviceContext device);
// Makes the context current on this thread; both null releases the current one.
int MakeRenderingContextCurrent(DeviceContext device, RenderingContext context);
int DeleteRenderingContext(RenderingContext context);
RenderingContext GetCurrentRenderingContext();
// Presents the back buffer, paced to the display's refresh rate.
int SwapDeviceBuffers(DeviceContext device);

// Takes (PM_REMOVE) or looks at the next message for the window filter (null:
// any) within [first, last] (0, 0: all). Returns 0 at once when there is none.
int PeekPlatformMessage(Message *message, WindowHandle filter, unsigned first, unsigned last, unsigned remove);
int TranslatePlatformMessage(const Message *message);
LResult DispatchPlatformMessage(const Message *message);
// Puts WM_QUIT with the code as wParam into the queue.
void PostQuitMessage(int exitCode);
// What the platform does with a message the program does not handle.
LResult DefaultWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam);

// The cursor in screen coordinates. Until the program first puts it somewhere
// it reads where the pointer really is; from then on motion counts only while
// our window has the input focus, and re-centring moves the real pointer only then.
int GetCursorPosition(Point *position);
int SetCursorPosition(int x, int y);

// A modal box with the caption, text, icon and buttons of the MB_* type.
// Returns IDOK, IDYES or IDNO; 0 when no box could be shown (the caption and
// text then go to standard error) or it was closed without a choice.
int ShowMessageBox(WindowHandle owner, const char *text, const char *caption, unsigned type);

// Plays a wave file (SND_* flags; "\" in the path separates folders). With
// SND_NOSTOP a sound that is playing is left alone and the call answers 0.
int PlaySoundFile(const char *path, unsigned flags);

// The user's pictures folder as the system itself keeps it (Windows' known
// folder); 0 where the system keeps none and the program finds it itself.
int GetPicturesFolder(char *folder, size_t size);

// The folder that holds the running program's file; 0 where it cannot be told.
int GetProgramFolder(char *folder, size_t size);

// Stops the sound and lets go of the display; the entry calls it last.
void ShutdownPlatform();

// ===================== services for tools (frame capture, benchmarks)

// Draws without showing anything, into an offscreen surface, where the
// platform can; called before any other service.
void RequestOffscreenRendering();
// Turns the swap's own pacing on (the default) or off.
void SetSwapPacing(int on);
// Calls the hook from inside every SwapDeviceBuffers with the number of
// swaps so far (1 for the first), just before the frame is presented: it is
// still in the back buffer, for glReadPixels. Null removes it.
typedef void (*SwapHook)(int swapNumber);
void SetSwapHook(SwapHook hook);
// Feeds input through the platform as if the user had given it; keys and
// buttons reach the window that is live when they are dispatched.
void SimulateKey(unsigned virtualKey, int down);
void SimulateMouseButton(int button, int down);  // 1 left, 2 middle, 3 right
void SimulateMouseMotion(int dx, int dy);
