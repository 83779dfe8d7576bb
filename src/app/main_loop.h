// main_loop.h: the program's entry and its one loop of messages and frames.
#pragma once

#include "platform/platform.h"

// Opens the window, runs the loop until Esc or the window is closed, closes
// it again. Returns the process exit code: 0 when the window cannot be
// opened, otherwise the wParam of the last message taken.
int WinMain(InstanceHandle instance, InstanceHandle previous, char *commandLine, int showCommand);
