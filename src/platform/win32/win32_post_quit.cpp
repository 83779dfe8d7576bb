// win32_post_quit.cpp: the program's PostQuitMessage on Windows. It has the
// very name and arguments of the Windows call, so it lives apart from
// <windows.h> and hands over to the backend's files.
#include "platform/platform.h"

void PostQuitMessageThroughWindows(int exitCode);  // win32_events.cpp

void PostQuitMessage(int exitCode) { PostQuitMessageThroughWindows(exitCode); }
