// main.cpp: the process entry: the command line, the data folder, the viewer.
#include <cstdio>

#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/main_loop.h"

int main(int argc, char **argv) {
  int verdict = ReadCommandLine(argc, argv, stdout, stderr);
  if (verdict != startTheViewer) return verdict;
  // Without its data the viewer still starts and says what is missing, as
  // it always has.
  EnterDataFolder(stderr);
  int exitCode = WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW);
  ShutdownPlatform();
  return exitCode;
}
