// main.cpp: the process entry; Talmir takes no arguments.
#include "app/main_loop.h"

int main() {
  int exitCode = WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW);
  ShutdownPlatform();
  return exitCode;
}
