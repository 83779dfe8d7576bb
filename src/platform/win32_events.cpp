// win32_events.cpp: the message queue, the default handling of messages and
// the cursor's position, on Win32 itself. Windows' own message numbers, key
// codes and words are the program's, so messages pass as they are.
#include "platform/win32_backend.h"

namespace {

// The message Windows gave last, rebuilt from the program's copy with the
// time and pointer position Windows keeps for it.
MSG WindowsMessage(const Message *message) {
  MSG windowsMessage = {};
  windowsMessage.hwnd = (HWND)message->window;
  windowsMessage.message = message->message;
  windowsMessage.wParam = message->wParam;
  windowsMessage.lParam = message->lParam;
  windowsMessage.time = (DWORD)GetMessageTime();
  DWORD position = GetMessagePos();
  windowsMessage.pt = POINT{(short)LOWORD(position), (short)HIWORD(position)};
  return windowsMessage;
}

// ---- the cursor: the anchor it was last put at. Until the program first
// puts it somewhere it reads where the pointer really is; from then on the
// pointer counts, and is put back, only while our window is in front, so
// another window keeps its own cursor.
Point cursorAnchor;
bool cursorPlaced = false;
int simulatedX = 0, simulatedY = 0;  // motion fed by tools

// The tools' input is posted to the thread, for no window, so that a mode
// switch between the posting and the dispatch does not drop it with the
// window it was meant for.
void PostToThread(unsigned message, WParam wParam, LParam lParam) {
  PostThreadMessageA(GetCurrentThreadId(), message, wParam, lParam);
}

}  // namespace

// ===================== shared within the backend

void PostQuitMessageThroughWindows(int exitCode) { PostQuitMessage(exitCode); }

// ===================== the queue

int PeekPlatformMessage(Message *message, WindowHandle filter, unsigned first, unsigned last, unsigned remove) {
  MSG windowsMessage;
  if (!PeekMessageA(&windowsMessage, (HWND)filter, first, last, remove)) return 0;
  *message = Message{(WindowHandle)windowsMessage.hwnd, windowsMessage.message, windowsMessage.wParam,
                     windowsMessage.lParam};
  return 1;
}

int TranslatePlatformMessage(const Message *message) {
  MSG windowsMessage = WindowsMessage(message);
  return TranslateMessage(&windowsMessage) ? 1 : 0;
}

LResult DispatchPlatformMessage(const Message *message) {
  // A message for no window is the tools' input (or a character made from
  // it): it goes to the window that is live now.
  if (message->window == nullptr) {
    HWND window = LiveWindow();
    return window != nullptr ? SendMessageA(window, message->message, message->wParam, message->lParam) : 0;
  }
  MSG windowsMessage = WindowsMessage(message);
  return DispatchMessageA(&windowsMessage);
}

LResult DefaultWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
  return DefWindowProcA((HWND)window, message, wParam, lParam);
}

// ===================== the cursor

int GetCursorPosition(Point *position) {
  *position = cursorAnchor;
  POINT pointer;
  if ((!cursorPlaced || LiveWindowIsInFront()) && GetCursorPos(&pointer))
    *position = Point{(int)pointer.x, (int)pointer.y};
  position->x += simulatedX;
  position->y += simulatedY;
  return 1;
}

int SetCursorPosition(int x, int y) {
  cursorAnchor = Point{x, y};
  cursorPlaced = true;
  simulatedX = simulatedY = 0;
  if (LiveWindowIsInFront()) SetCursorPos(x, y);
  return 1;
}

// ===================== input fed by tools

void SimulateKey(unsigned virtualKey, int down) { PostToThread(down ? WM_KEYDOWN : WM_KEYUP, virtualKey, 1); }

void SimulateMouseButton(int button, int down) {
  static const unsigned downs[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  static const unsigned ups[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
  if (button >= 1 && button <= 3) PostToThread(down ? downs[button - 1] : ups[button - 1], 0, 0);
}

void SimulateMouseMotion(int dx, int dy) {
  simulatedX += dx;
  simulatedY += dy;
}
