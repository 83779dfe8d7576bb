// win32_events.cpp: the message queue, the default handling of messages and
// the pointer under the cursor model, on Win32 itself. Windows' own message
// numbers, key codes and words are the program's, so messages pass as they are.
#include "platform/win32/win32_backend.h"  // first: it sets platform.h and <windows.h> side by side

#include "platform/core/cursor_model.h"
#include "platform/core/message_words.h"

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

// ===================== the pointer: ours only while our window is in front,
// so another window keeps its own cursor

void SystemReadPointer(Point *position) {
  POINT pointer;
  if (GetCursorPos(&pointer)) *position = Point{(int)pointer.x, (int)pointer.y};
}

bool SystemPointerIsOurs() { return LiveWindowIsInFront(); }

// Windows puts the pointer back whenever it is ours.
bool SystemWarpPointer(int x, int y) {
  SetCursorPos(x, y);
  return true;
}

void SystemPointerPlaced(bool) {}

// ===================== input fed by tools

void SimulateKey(unsigned virtualKey, int down) {
  PostToThread(down ? WM_KEYDOWN : WM_KEYUP, virtualKey, keyRepeatCount);
}

void SimulateMouseButton(int button, int down) {
  if (unsigned message = MouseButtonMessage(button, down != 0)) PostToThread(message, 0, 0);
}
