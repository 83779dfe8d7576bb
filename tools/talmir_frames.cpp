// talmir_frames.cpp: runs the viewer itself (its WinMain and its one loop)
// headless on SDL's offscreen video driver with real Mesa OpenGL, feeds it
// scripted input between frames and writes the frames asked for as PNG
// files. The tests' golden frames, the README screenshot and the frame
// benchmark come from here.
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
//   --stats            prints the seconds until the first frame was presented,
//                      the frames run after it, their seconds and frames per
//                      second, and the system's monotonic clock once the first
//                      frame was presented and finished (for start-up timing)
// The viewer starts windowed (the offscreen driver has no display modes to
// change) with its swap unpaced, and the cursor at rest on its anchor. Esc
// ends the run early; F1 reopens the window in the other mode, where the
// offscreen driver's missing fullscreen mode brings the viewer's question,
// which goes unanswered without a display, so the viewer ends. Exit code: 0;
// 1 when the window could not be opened, a frame not written, or the viewer
// ended before the frames were run (other than by Esc); 2 for bad arguments.
#include <GL/gl.h>
#include <stb/stb_image_write.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/scene_window.h"
#include "app/window_proc.h"
#include "platform/platform.h"

namespace {

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
  static constexpr Named names[] = {
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

// Keys and buttons for frame F are dispatched before it is drawn; motion
// while frame F is drawn is read by the input step right after it.
void GiveInput(const Options &options, int frame, bool keysAndButtons, bool motion) {
  for (const InputEvent &e : options.events) {
    if (e.frame != frame) continue;
    if (keysAndButtons && e.kind == InputEvent::key) SimulateKey(e.code, e.down);
    if (keysAndButtons && e.kind == InputEvent::button) SimulateMouseButton((int)e.code, e.down);
    if (motion && e.kind == InputEvent::motion) SimulateMouseMotion(e.dx, e.dy);
  }
}

// The frame as drawn, still in the back buffer, top row first.
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

// The system's monotonic clock (CLOCK_MONOTONIC on Linux), which a
// benchmark that starts the tool reads too.
double MonotonicSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// What the run has done so far, as the swap hook sees it.
struct Run {
  Options options;
  int frames = 0;
  bool writeFailed = false;
  double startClock = 0, firstFrameClock = 0, lastFrameClock = 0;
};
Run run;

// Inside every swap of the viewer: the frame is finished (an offscreen swap
// waits for nothing, so the driver would otherwise queue frames without
// bound and the count would time the queueing), written if asked for, and
// the next frame's input given. After the last frame the viewer is asked to quit.
void AfterFrame(int swapNumber) {
  run.frames = swapNumber;
  glFinish();
  run.lastFrameClock = MonotonicSeconds();
  if (swapNumber == 1) {
    run.firstFrameClock = run.lastFrameClock;
    SetCursorPosition(cursorAnchorX, cursorAnchorY);  // at rest: no jolt from the offscreen pointer
  }
  if (windowContext.active && run.options.frames.count(swapNumber) && !WriteFrame(run.options, swapNumber)) {
    run.writeFailed = true;
    PostQuitMessage(1);
    return;
  }
  GiveInput(run.options, swapNumber, false, true);
  if (swapNumber >= run.options.count) {
    PostQuitMessage(0);
    return;
  }
  GiveInput(run.options, swapNumber + 1, true, false);
}

}  // namespace

int main(int argc, char **argv) {
  run.options = ParseOptions(argc, argv);
  Options &options = run.options;
  // Before anything touches the platform: real GL without a display.
  RequestOffscreenRendering();
  std::error_code error;
  std::filesystem::create_directories(options.outDir, error);
  std::filesystem::path outDir = std::filesystem::absolute(options.outDir, error);
  if (error || !std::filesystem::is_directory(outDir)) Usage("cannot use " + options.outDir);
  options.outDir = outDir.string();  // still right after the change of folder below
  if (!options.runDir.empty()) std::filesystem::current_path(options.runDir, error);
  if (error) Usage("cannot enter " + options.runDir);
  launchOptions.windowed = 1;
  SetSwapPacing(0);
  SetSwapHook(AfterFrame);
  GiveInput(options, 1, true, false);
  run.startClock = MonotonicSeconds();
  WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW);
  bool escaped = keyState.slot[VK_ESCAPE] != 0;
  ShutdownPlatform();
  if (run.frames == 0) {
    std::fprintf(stderr, "talmir-frames: the scene window could not be opened\n");
    return 1;
  }
  if (run.writeFailed) return 1;
  if (run.frames < options.count && !escaped) {
    std::fprintf(stderr, "talmir-frames: the viewer ended after %d of %d frames\n", run.frames, options.count);
    return 1;
  }
  if (options.stats) {
    double seconds = run.lastFrameClock - run.firstFrameClock;
    int frames = run.frames - 1;  // those after the first, timed from its end
    std::printf("first-frame-seconds %.6f frames %d seconds %.6f fps %.3f first-frame-clock %.6f\n",
                run.firstFrameClock - run.startClock, frames, seconds, seconds > 0 ? frames / seconds : 0.0,
                run.firstFrameClock);
  }
  return 0;
}
