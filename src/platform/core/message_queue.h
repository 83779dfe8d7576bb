// message_queue.h: the one message queue of a backend that emulates Windows.
// The backend turns its system's events into messages here, at the edge;
// the program takes them with PeekPlatformMessage.
#pragma once

#include "platform/core/window_list.h"

// Adds a message to the back of the queue, as a posted message. A message
// for no window reaches the window that is live when it is dispatched: a
// key released during a mode switch still reaches the new window.
void PostToQueue(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam);
// A press and a release of a key, as one quick tap.
void PostKeyTap(unsigned virtualKey);
// Forgets the queued messages of a window that is going away.
void DropQueuedMessages(const PlatformWindow *window);
// An empty queue, as at start.
void ResetMessageQueue();
