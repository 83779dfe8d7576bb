// main.cpp: the process entry: the command line, the data folder, the viewer.
#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/main_loop.h"
#include "app/saver_window.h"
#include "scene/scene_init.h"

int main(int argc, char **argv) {
  int verdict = ReadCommandLine(argc, argv, stdout, stderr);
  if (verdict == startTheViewer) verdict = ReadScreensaverEnvironment(std::getenv("XSCREENSAVER_WINDOW"), stderr);
  if (verdict != startTheViewer) return verdict;
  // Without its data the viewer still starts and says what is missing, as
  // it always has.
  EnterDataFolder(stderr);
  if (launchOptions.saver != saverOff) sceneOptions = SceneOptions{true, true};
  if (launchOptions.saver == saverSettings || !FindSaverHost(stderr)) {
    int code = launchOptions.saver == saverSettings ? ShowSaverSettings() : 1;
    ShutdownPlatform();
    return code;
  }
  int exitCode = WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW);
  ShutdownPlatform();
  return exitCode;
}
