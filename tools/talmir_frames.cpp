// talmir_frames.cpp: runs the real scene headless (SDL's offscreen video
// driver, real Mesa OpenGL, no display) with scripted input, and writes the
// frames asked for as PNG files. The viewer itself takes no arguments; this
// is the tool that tests, the README screenshot and the benchmark use.
//
// Usage: talmir-frames [options]
//   --frames LIST      frames to write, e.g. 1,200 or 1-5,90 (numbered from 1)
//   --count N          frames to run (default: the last frame asked for)
//   --out DIR          where to write frame-N.png (default: .)
//   --run-dir DIR      the folder with Tex/ and Sound/ (default: the current one)
//   --hold KEY:F-T     KEY is down while frames F to T are drawn; the flight
//                      model applies it after each of them, so it shows from
//                      frame F+1 on. KEY: a letter or digit, left, right, up,
//                      down, f1, esc, space, lbutton, mbutton, rbutton.
//   --mouse DX,DY@F    the mouse moves by (DX, DY) pixels while frame F is drawn
//                      (negative DY is up); applied after frame F
//   --stats            prints the seconds the window took to open, the frames
//                      run, their seconds and frames per second, and the
//                      system's monotonic clock once the first frame was
//                      presented and finished (for start-up timing)
// As in the viewer, Esc ends the run and F1 reopens the window in the other
// mode; the offscreen driver offers no fullscreen mode, so there the
// viewer's question goes unanswered and the run ends. The cursor starts at
// rest on the window's centre. Exit code: 0, 1 when the window could not be
// opened or a frame not written, 2 for bad arguments.
#include <stb/stb_image_write.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <GL/gl.h>

#include <cctype>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/scene_window.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "platform/platform.h"
#include "scene/frame.h"

namespace {

const int windowWidth = 1024, windowHeight = 768, windowBits = 16;
const char *const windowTitle = "Talmir";

// One scripted change of input, given before frame `frame` is drawn.
struct InputEvent {
  int frame;
  enum Kind { key, button, motion } kind;
  unsigned code;  // virtual key or button number
  int down;
  int dx, dy;
};

struct Options {
  std::set<int> frames;
  int count = 0;
  std::string outDir = ".";
  std::string runDir;
  std::vector<InputEvent> events;
  bool stats = false;
};

[[noreturn]] void Usage(const std::string &problem) {
  std::fprintf(stderr, "talmir-frames: %s\n(see the top of tools/talmir_frames.cpp for the options)\n",
               problem.c_str());
  std::exit(2);
}

int ParseNumber(const std::string &text, const char *what) {
  char *end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') Usage(std::string("not a number for ") + what + ": " + text);
  return (int)value;
}

// "1,200" or "1-5,90": each number or inclusive range, all from 1 up.
void ParseFrameList(const std::string &list, std::set<int> *frames) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    size_t dash = item.find('-', 1);
    int first = ParseNumber(item.substr(0, dash), "--frames");
    int last = dash == std::string::npos ? first : ParseNumber(item.substr(dash + 1), "--frames");
    if (first < 1 || last < first) Usage("bad frame range: " + item);
    for (int f = first; f <= last; ++f) frames->insert(f);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

// A key or button name to its event kind and code; false when unknown.
bool ParseInputName(std::string name, InputEvent *event) {
  for (char &c : name) c = (char)std::tolower((unsigned char)c);
  struct Named {
    const char *name;
    InputEvent::Kind kind;
    unsigned code;
  };
  static const Named names[] = {
      {"left", InputEvent::key, VK_LEFT},     {"right", InputEvent::key, VK_RIGHT},
      {"up", InputEvent::key, VK_UP},         {"down", InputEvent::key, VK_DOWN},
      {"f1", InputEvent::key, VK_F1},         {"esc", InputEvent::key, VK_ESCAPE},
      {"space", InputEvent::key, VK_SPACE},   {"lbutton", InputEvent::button, 1},
      {"mbutton", InputEvent::button, 2},     {"rbutton", InputEvent::button, 3},
  };
  for (const Named &n : names)
    if (name == n.name) {
      event->kind = n.kind;
      event->code = n.code;
      return true;
    }
  if (name.size() == 1 && std::isalnum((unsigned char)name[0])) {
    event->kind = InputEvent::key;
    event->code = (unsigned)std::toupper((unsigned char)name[0]);
    return true;
  }
  return false;
}

// KEY:F-T becomes a press before frame F and a release before frame T+1.
void ParseHold(const std::string &text, std::vector<InputEvent> *events) {
  size_t colon = text.find(':');
  size_t dash = text.find('-', colon == std::string::npos ? 0 : colon);
  InputEvent press = {};
  if (colon == std::string::npos || dash == std::string::npos || !ParseInputName(text.substr(0, colon), &press))
    Usage("bad --hold (KEY:FROM-TO): " + text);
  press.frame = ParseNumber(text.substr(colon + 1, dash - colon - 1), "--hold");
  int last = ParseNumber(text.substr(dash + 1), "--hold");
  if (press.frame < 1 || last < press.frame) Usage("bad --hold frames: " + text);
  press.down = 1;
  InputEvent release = press;
  release.frame = last + 1;
  release.down = 0;
  events->push_back(press);
  events->push_back(release);
}

// DX,DY@F
void ParseMouse(const std::string &text, std::vector<InputEvent> *events) {
  size_t comma = text.find(','), at = text.find('@');
  if (comma == std::string::npos || at == std::string::npos || at < comma) Usage("bad --mouse (DX,DY@F): " + text);
  InputEvent move = {};
  move.kind = InputEvent::motion;
  move.dx = ParseNumber(text.substr(0, comma), "--mouse");
  move.dy = ParseNumber(text.substr(comma + 1, at - comma - 1), "--mouse");
  move.frame = ParseNumber(text.substr(at + 1), "--mouse");
  if (move.frame < 1) Usage("bad --mouse frame: " + text);
  events->push_back(move);
}

Options ParseOptions(int argc, char **argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--stats") {
      options.stats = true;
      continue;
    }
    if (i + 1 >= argc) Usage("missing value after " + option);
    std::string value = argv[++i];
    if (option == "--frames") ParseFrameList(value, &options.frames);
    else if (option == "--count") options.count = ParseNumber(value, "--count");
    else if (option == "--out") options.outDir = value;
    else if (option == "--run-dir") options.runDir = value;
    else if (option == "--hold") ParseHold(value, &options.events);
    else if (option == "--mouse") ParseMouse(value, &options.events);
    else Usage("unknown option " + option);
  }
  if (options.count == 0 && !options.frames.empty()) options.count = *options.frames.rbegin();
  if (options.count < 1) Usage("nothing to run: give --frames or --count");
  return options;
}

void GiveInput(const Options &options, int frame) {
  for (const InputEvent &e : options.events) {
    if (e.frame != frame) continue;
    if (e.kind == InputEvent::key) SimulateKey(e.code, e.down);
    if (e.kind == InputEvent::button) SimulateMouseButton((int)e.code, e.down);
    if (e.kind == InputEvent::motion) SimulateMouseMotion(e.dx, e.dy);
  }
}

// The back buffer as drawn, before the swap, top row first.
bool WriteFrame(const Options &options, int frame) {
  std::vector<unsigned char> pixels((size_t)windowWidth * windowHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  std::string path = options.outDir + "/frame-" + std::to_string(frame) + ".png";
  stbi_flip_vertically_on_write(1);
  if (!stbi_write_png(path.c_str(), windowWidth, windowHeight, 3, pixels.data(), windowWidth * 3)) {
    std::fprintf(stderr, "talmir-frames: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

// As the viewer opens its window, but windowed and with the swap unpaced; the
// cursor is put at rest on its anchor, so the first frame's input sees no
// jolt from wherever the offscreen pointer happened to be.
bool OpenWindow(unsigned char fullscreen) {
  if (!OpenSceneWindow(windowTitle, windowWidth, windowHeight, windowBits, fullscreen)) return false;
  SetSwapPacing(0);
  SetCursorPosition(512, 384);
  return true;
}

// The viewer's own keys: Esc ends, F1 (once per press) reopens in the other mode.
enum LoopKeys { keepRunning, endRun, reopenFailed };
LoopKeys ApplyLoopKeys() {
  if (keyState.slot[VK_ESCAPE]) return endRun;
  if (!keyState.slot[VK_F1]) {
    keyState.slot[fullscreenLatch] = 0;
    return keepRunning;
  }
  if (keyState.slot[fullscreenLatch]) return keepRunning;
  keyState.slot[fullscreenLatch] = 1;
  CloseSceneWindow();
  windowContext.fullscreen = !windowContext.fullscreen;
  return OpenWindow(windowContext.fullscreen) ? keepRunning : reopenFailed;
}

// Every pending message first, as the main loop handles them before a frame;
// false when the window asked to quit.
bool DispatchPending() {
  Message message;
  while (PeekPlatformMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslatePlatformMessage(&message);
    DispatchPlatformMessage(&message);
  }
  return true;
}

double MonotonicSeconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

// Runs the frames; the number drawn, or -1 when writing or reopening failed.
int RunFrames(const Options &options, double *firstFrameClock) {
  int frame = 0;
  while (frame < options.count) {
    GiveInput(options, frame + 1);
    if (!DispatchPending()) break;
    ++frame;
    if (windowContext.active) {
      RenderFrame();
      if (options.frames.count(frame) && !WriteFrame(options, frame)) return -1;
    }
    SwapDeviceBuffers(windowContext.deviceContext);
    // The offscreen swap shows nothing and waits for nothing, so the driver
    // would queue frame after frame (hundreds of megabytes) and the count
    // would time the queueing. A swap on a screen finishes the frame first;
    // so does this.
    glFinish();
    if (frame == 1) *firstFrameClock = MonotonicSeconds();
    ApplyFrameInput();
    LoopKeys keys = ApplyLoopKeys();
    if (keys == reopenFailed) return -1;
    if (keys == endRun) break;
  }
  return frame;
}

}  // namespace

int main(int argc, char **argv) {
  Options options = ParseOptions(argc, argv);
  // Before anything touches the platform: real GL without a display.
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  mkdir(options.outDir.c_str(), 0777);
  char outDir[PATH_MAX];
  if (realpath(options.outDir.c_str(), outDir) == nullptr) Usage("cannot use " + options.outDir);
  options.outDir = outDir;  // still right after the change of folder below
  if (!options.runDir.empty() && chdir(options.runDir.c_str()) != 0) Usage("cannot enter " + options.runDir);
  using Clock = std::chrono::steady_clock;
  Clock::time_point start = Clock::now();
  if (!OpenWindow(0)) {
    ShutdownPlatform();
    std::fprintf(stderr, "talmir-frames: the scene window could not be opened\n");
    return 1;
  }
  Clock::time_point opened = Clock::now();
  double firstFrameClock = 0;
  int drawn = RunFrames(options, &firstFrameClock);
  double seconds = std::chrono::duration<double>(Clock::now() - opened).count();
  double openSeconds = std::chrono::duration<double>(opened - start).count();
  CloseSceneWindow();
  ShutdownPlatform();
  if (drawn < 0) return 1;
  if (options.stats)
    std::printf("open-seconds %.6f frames %d seconds %.6f fps %.3f first-frame-clock %.6f\n", openSeconds, drawn,
                seconds, drawn / seconds, firstFrameClock);
  return 0;
}
