// win32_console.cpp: standard output for a Windows program with windows.
// Such a program has no console of its own; started from one, it writes
// --help, --version and its complaints there. Where standard output already
// leads somewhere (a pipe, a file, Wine's terminal) it stays so. This runs
// before main, as the C runtime's own set-up does.
#include <cstdio>

#include "platform/win32/win32_backend.h"

namespace {

struct ParentConsole {
  ParentConsole() {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
};

ParentConsole parentConsole;

}  // namespace
