// message_queue.cpp: the queue, dispatch and the default handling of
// messages, with the input tools feed through it.
#include "platform/core/message_queue.h"

#include <deque>

#include "platform/core/message_words.h"
#include "platform/core/system.h"

namespace {

std::deque<Message> messageQueue;

bool Matches(const Message &message, WindowHandle filter, unsigned first, unsigned last) {
  if (filter != nullptr && message.window != filter) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

}  // namespace

void PostToQueue(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam) {
  messageQueue.push_back(Message{window, message, wParam, lParam});
}

void PostKeyTap(unsigned virtualKey) {
  PostToQueue(nullptr, WM_KEYDOWN, virtualKey, keyRepeatCount);
  PostToQueue(nullptr, WM_KEYUP, virtualKey, keyRepeatCount | keyReleased);
}

void DropQueuedMessages(const PlatformWindow *window) {
  std::erase_if(messageQueue, [window](const Message &message) { return message.window == window; });
}

void ResetMessageQueue() { messageQueue.clear(); }

// ===================== the queue

int PeekPlatformMessage(Message *message, WindowHandle filter, unsigned first, unsigned last, unsigned remove) {
  SystemPumpEvents();
  for (auto it = messageQueue.begin(); it != messageQueue.end(); ++it) {
    if (!Matches(*it, filter, first, last)) continue;
    *message = *it;
    if (remove & PM_REMOVE) messageQueue.erase(it);
    return 1;
  }
  return 0;
}

int TranslatePlatformMessage(const Message *message) {
  // Character messages are of no use to the program; keys pass as they are.
  (void)message;
  return 0;
}

LResult DispatchPlatformMessage(const Message *message) {
  if (message == nullptr) return 0;
  PlatformWindow *window = message->window != nullptr ? message->window : LiveWindow();
  if (!IsLiveWindow(window)) return 0;
  return SendToWindow(window, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) { PostToQueue(nullptr, WM_QUIT, (WParam)exitCode, 0); }

LResult DefaultWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
  if (!IsLiveWindow(window)) return 0;
  // Alt+F4 asks the window to close, through the system command as on Windows.
  if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & KEY_CONTEXT_ALT))
    return SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  // The low four bits of a system command are the system's own.
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return SendToWindow(window, WM_CLOSE, 0, 0);
  return 0;
}

// ===================== input fed by tools

void SimulateKey(unsigned virtualKey, int down) {
  PostToQueue(nullptr, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, keyRepeatCount);
}

void SimulateMouseButton(int button, int down) {
  if (unsigned message = MouseButtonMessage(button, down != 0)) PostToQueue(nullptr, message, 0, 0);
}
