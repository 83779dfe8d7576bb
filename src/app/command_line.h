// command_line.h: the options the viewer takes, read the way GNU programs
// read theirs, into the launch options of the main loop.
#pragma once

#include <cstdio>

// The exit code of a run that ends without starting the viewer.
enum : int { startTheViewer = -1, badUsage = 2 };

// Reads the arguments after the program's name into launchOptions. --help and
// --version print to `out`; a wrong argument prints the usage to `err`.
// Returns startTheViewer, or the exit code to end with at once (0 after
// --help or --version, badUsage after a wrong argument).
int ReadCommandLine(int argc, const char *const *argv, std::FILE *out, std::FILE *err);

// XScreenSaver names the window its modules draw in with XSCREENSAVER_WINDOW
// (value: the variable, or null when unset): a screensaver in that window,
// unless the command line named another. startTheViewer, or badUsage when
// the value is not a window id.
int ReadScreensaverEnvironment(const char *value, std::FILE *err);
