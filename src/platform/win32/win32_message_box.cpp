// win32_message_box.cpp: modal message boxes, by Windows itself.
#include <cstdio>

#include "platform/win32/win32_backend.h"

int ShowMessageBox(WindowHandle owner, const char *text, const char *caption, unsigned type) {
  int answer = MessageBoxA((HWND)owner, text, caption, type);
  // Where no box can be shown the text still reaches someone.
  if (answer == 0) std::fprintf(stderr, "%s: %s\n", caption, text);
  return answer;
}
