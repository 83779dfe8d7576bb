// fuzz_platform.cpp: the two window services the bitmap loader links against, for a fuzz run with its messages off.
#include <cstdlib>

#include "platform/platform.h"

// No window exists while fuzzing.
WindowHandle GetFocusWindow() { return nullptr; }

// The fuzz target turns the loader's messages off; a box now means that switch stopped working.
int ShowMessageBox(WindowHandle, const char *, const char *, unsigned) { abort(); }
