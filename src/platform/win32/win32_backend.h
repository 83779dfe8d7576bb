// win32_backend.h: the bridge between platform.h and <windows.h> for the
// Win32 backend's files, and what those files share among themselves. Not
// for the program: it sees only platform.h.
//
// The two headers cannot meet in the usual way: the Windows header makes
// WM_SIZE, VK_F1, MB_OK and the rest macros, which would turn platform.h's
// own constants of those names into numbers, and it declares the real
// PostQuitMessage, whose name and arguments platform.h uses for ours. So
// platform.h is read first (the Windows macros that follow carry the same
// values, and code after them reads the same), with its PostQuitMessage out
// of sight; ours is defined in win32_post_quit.cpp, where <windows.h> is not.
// The Windows ChoosePixelFormat and SetPixelFormat take Windows types, so
// they stand beside ours as overloads; the backend calls them as ::Name.
#pragma once

#define PostQuitMessage PostQuitMessageOfTheProgram
#include "platform/platform.h"
#undef PostQuitMessage

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <mmsystem.h>  // PlaySound and the timer's resolution

// The window the program has open, or null: the tools' input goes to it,
// and the cursor counts as ours only while it is in front.
HWND LiveWindow();
bool LiveWindowIsInFront();
// Whether the tools asked to draw without showing anything.
bool OffscreenRequested();

// The Windows side of the program's PostQuitMessage.
void PostQuitMessageThroughWindows(int exitCode);

// Goes back to the desktop's display mode if the program changed it.
void RestoreDesktopMode();
// Stops the looping sound.
void StopSoundPlayback();
// Ends the finer timer resolution the swap's own pacing asked for.
void EndSwapPacing();
