// command_line.cpp: --help, --version, --windowed, --fullscreen and --fps.
#include "app/command_line.h"

#include <cstring>

#include "app/main_loop.h"

namespace {

constexpr char usage[] =
    "Usage: talmir [OPTION]...\n"
    "A real-time 3-D landscape: a sky, hills, ferns, bushes and grass under fog\n"
    "and light, turning slowly while you fly it.\n"
    "\n"
    "  --fullscreen  start fullscreen at 1024x768 (the default); where the display\n"
    "                cannot take that mode, Talmir asks whether to use a window\n"
    "  --windowed    start in a window with a 1024x768 picture\n"
    "  --fps         print the frame rate once a second on standard output\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Controls:\n"
    "  mouse up/down        tilt the view (with inertia)\n"
    "  Left, Right          roll the view\n"
    "  A, S                 move forward, back\n"
    "  right mouse button   lift the viewer while held\n"
    "  F1                   switch between fullscreen and a window\n"
    "  F12                  save the picture as a PNG in your pictures folder\n"
    "  Esc                  quit (closing the window quits too)\n"
    "\n"
    "Talmir reads its textures and sound from TALMIR_DATA_DIR when it is set,\n"
    "else from the data beside the program or in ../share/talmir next to it.\n";

constexpr char versionText[] = "talmir " TALMIR_VERSION "\n";

int RefuseArgument(const char *argument, std::FILE *err) {
  std::fprintf(err, "talmir: unrecognised argument '%s'\n%s", argument, usage);
  return badUsage;
}

}  // namespace

int ReadCommandLine(int argc, const char *const *argv, std::FILE *out, std::FILE *err) {
  bool optionsEnded = false;  // after "--" every argument is an operand, and the viewer takes none
  for (int i = 1; i < argc; ++i) {
    const char *argument = argv[i];
    if (optionsEnded) return RefuseArgument(argument, err);
    if (std::strcmp(argument, "--") == 0) {
      optionsEnded = true;
      continue;
    }
    if (std::strcmp(argument, "--help") == 0) {
      std::fputs(usage, out);
      return 0;
    }
    if (std::strcmp(argument, "--version") == 0) {
      std::fputs(versionText, out);
      return 0;
    }
    if (std::strcmp(argument, "--windowed") == 0)
      launchOptions.windowed = 1;
    else if (std::strcmp(argument, "--fullscreen") == 0)
      launchOptions.windowed = 0;
    else if (std::strcmp(argument, "--fps") == 0)
      launchOptions.showFrameRate = 1;
    else
      return RefuseArgument(argument, err);
  }
  return startTheViewer;
}
