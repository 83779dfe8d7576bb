// command_line.cpp: --help, --version, --windowed, --fullscreen and --fps;
// the screensaver's --root and --window-id, XScreenSaver's window in the
// environment, and Windows' /s, /p and /c when the program is talmir.scr.
#include "app/command_line.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
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
    "  --root        fly by itself as a screensaver, in XScreenSaver's window\n"
    "                (XSCREENSAVER_WINDOW) or else on the whole screen\n"
    "  --window-id ID  fly by itself as a screensaver in the X window ID\n"
    "                (decimal or 0x hex)\n"
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

// A window id as X and Windows write them: decimal, or hex after 0x. 0 is
// no window.
bool ReadWindowId(const char *text, uint64_t *id) {
  if (text == nullptr) return false;
  int base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text += 2;
  }
  if (!std::isxdigit((unsigned char)text[0])) return false;
  errno = 0;
  char *end = nullptr;
  unsigned long long value = std::strtoull(text, &end, base);
  if (errno != 0 || *end != '\0' || value == 0) return false;
  *id = value;
  return true;
}

// X programs take their options with one dash, GNU programs with two;
// XScreenSaver's lists and tools use the one, our help the other. The
// option with one dash either way.
const char *OneDash(const char *argument) {
  return argument[0] == '-' && argument[1] == '-' ? argument + 1 : argument;
}

void RunInHost(uint64_t id) {
  launchOptions.saver = saverInHost;
  launchOptions.hostWindow = id;
  launchOptions.hostGiven = 1;
}

// --window-id ID or --window-id=ID; the index of the last argument taken,
// or -1 when the id is missing or not one.
int ReadWindowIdOption(int argc, const char *const *argv, int i, std::FILE *err) {
  const char *value = std::strchr(argv[i], '=');
  if (value != nullptr)
    ++value;
  else if (i + 1 < argc)
    value = argv[++i];
  uint64_t id = 0;
  if (!ReadWindowId(value, &id)) {
    std::fprintf(err, "talmir: --window-id needs a window id, decimal or 0x hex, not '%s'\n%s",
                 value ? value : "", usage);
    return -1;
  }
  RunInHost(id);
  return i;
}

bool EndsWithScr(const char *path) {
  size_t length = std::strlen(path);
  if (length < 4) return false;
  const char *tail = path + length - 4;
  return tail[0] == '.' && std::tolower((unsigned char)tail[1]) == 's' &&
         std::tolower((unsigned char)tail[2]) == 'c' && std::tolower((unsigned char)tail[3]) == 'r';
}

// Windows starts a screensaver with /s (show), /p HWND (preview in that
// window), /c or /c:HWND (settings, owned by that window) and nothing at
// all for settings; the letter in either case, after / or -, and the
// window after a colon or as the next argument.
int ReadScreensaverArguments(int argc, const char *const *argv, std::FILE *err) {
  launchOptions.saver = saverSettings;
  if (argc < 2) return startTheViewer;
  const char *argument = argv[1];
  bool wellFormed = (argument[0] == '/' || argument[0] == '-') && argument[1] != '\0' &&
                    (argument[2] == '\0' || argument[2] == ':');
  if (!wellFormed) return RefuseArgument(argument, err);
  char letter = (char)std::tolower((unsigned char)argument[1]);
  const char *id = argument[2] == ':' ? argument + 3 : argc > 2 ? argv[2] : nullptr;
  uint64_t host = 0;
  bool hasHost = id != nullptr && ReadWindowId(id, &host);
  if (letter == 's') {
    launchOptions.saver = saverOnScreen;
  } else if (letter == 'p') {
    if (!hasHost) return RefuseArgument(id ? id : argument, err);
    RunInHost(host);
  } else if (letter == 'c' || letter == 'a') {
    // The settings box (and the old password dialog, which asks nothing of us).
    launchOptions.hostWindow = hasHost ? host : 0;
    launchOptions.hostGiven = hasHost ? 1 : 0;
  } else {
    return RefuseArgument(argument, err);
  }
  return startTheViewer;
}

}  // namespace

int ReadCommandLine(int argc, const char *const *argv, std::FILE *out, std::FILE *err) {
  if (argc > 0 && EndsWithScr(argv[0])) return ReadScreensaverArguments(argc, argv, err);
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
    else if (std::strcmp(OneDash(argument), "-root") == 0) {
      if (!launchOptions.hostGiven) launchOptions.saver = saverInHost;
    } else if (std::strcmp(OneDash(argument), "-window-id") == 0 ||
               std::strncmp(OneDash(argument), "-window-id=", 11) == 0) {
      if ((i = ReadWindowIdOption(argc, argv, i, err)) < 0) return badUsage;
    } else {
      return RefuseArgument(argument, err);
    }
  }
  return startTheViewer;
}

int ReadScreensaverEnvironment(const char *value, std::FILE *err) {
  if (value == nullptr || launchOptions.saver == saverSettings || launchOptions.saver == saverOnScreen ||
      launchOptions.hostGiven)
    return startTheViewer;
  uint64_t id = 0;
  if (!ReadWindowId(value, &id)) {
    std::fprintf(err, "talmir: XSCREENSAVER_WINDOW is not a window id: '%s'\n", value);
    return badUsage;
  }
  RunInHost(id);
  return startTheViewer;
}
