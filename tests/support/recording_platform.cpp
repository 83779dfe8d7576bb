// recording_platform.cpp: the tests' backend: the system under the
// platform's shared core (offscreen Mesa GL through its GL half,
// recording_gl.h; a scripted pointer and focus), and the backend's own
// services (display mode, boxes, sound, folder). The calls the core carries
// out are recorded in recording_calls.cpp.
#include "support/recording_platform.h"

#include <cstdio>
#include <deque>
#include <map>
#include <memory>

#include "platform/core/cursor_model.h"
#include "platform/core/message_queue.h"
#include "platform/core/swap_pacing.h"
#include "platform/core/system.h"
#include "support/recording_gl.h"
#include "support/recording_state.h"

struct SystemWindow {
  int unused;
};

struct SystemSurface {
  TestSurface surface;
};

struct SystemContext {
  TestContext context;
};

Recording rec;

namespace {

// What the backend made for the core, freed between tests.
struct SystemObjects {
  std::vector<std::unique_ptr<SystemWindow>> windows;
  std::vector<std::unique_ptr<SystemSurface>> surfaces;
  std::vector<std::unique_ptr<SystemContext>> contexts;
  std::vector<TestSurface> bareSurfaces;  // made for tests of GL code alone
  std::vector<TestContext> bareContexts;
};

SystemObjects made;

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}

}  // namespace

void Record(const std::string &line) { rec.calls.push_back(line); }

bool Fails(const std::string &name) {
  int n = ++rec.callCounts[name];
  for (int target : rec.failAt[name])
    if (target == n) return true;
  return false;
}

// ===================== the test's controls

void ResetRecording() {
  rec.calls.clear();
  rec.boxes.clear();
  rec.callCounts.clear();
  rec.failAt.clear();
  rec.boxAnswers.clear();
}

void ResetTestPlatform() {
  BindTestContext(nullptr, nullptr);
  for (auto &surface : made.surfaces) DestroyTestSurface(surface->surface);
  for (auto &context : made.contexts) DestroyTestContext(context->context);
  for (TestSurface surface : made.bareSurfaces) DestroyTestSurface(surface);
  for (TestContext context : made.bareContexts) DestroyTestContext(context);
  made = SystemObjects{};
  ResetPlatformCore();
  rec = Recording{};
}

const std::vector<std::string> &RecordedCalls() { return rec.calls; }

std::vector<std::string> RecordedCallNames() {
  std::vector<std::string> names;
  for (const std::string &line : rec.calls) names.push_back(line.substr(0, line.find(' ')));
  return names;
}

std::vector<std::string> RecordedCallNames(const std::vector<std::string> &only) {
  std::vector<std::string> names;
  for (const std::string &name : RecordedCallNames())
    for (const std::string &wanted : only)
      if (name == wanted) names.push_back(name);
  return names;
}

const std::vector<RecordedMessageBox> &RecordedMessageBoxes() { return rec.boxes; }

void FailPlatformCall(const std::string &name, int nth) { rec.failAt[name].push_back(rec.callCounts[name] + nth); }

void ScriptMessageBoxAnswers(const std::vector<int> &answers) {
  rec.boxAnswers.assign(answers.begin(), answers.end());
}

void SetFullscreenModeAvailable(bool available) { rec.fullscreenAvailable = available; }

void QueueTestMessage(unsigned message, WParam wParam, LParam lParam, WindowHandle window) {
  PostToQueue(window ? window : LiveWindow(), message, wParam, lParam);
}

void SetTestCursorPosition(int x, int y) { rec.pointer = Point{x, y}; }

void SetTestFocusWindow(WindowHandle window) {
  rec.focus = window;
  rec.focusSetByTest = true;
}

void SetTestSwapIntervalAccepted(bool accepted) { rec.swapIntervalAccepted = accepted; }
void SetTestRefreshRate(int hertz) { rec.refreshRate = hertz; }
void AddTestHostWindow(uint64_t systemId, int width, int height) { rec.hostSizes[systemId] = Point{width, height}; }
void SetTestScreenSize(int width, int height) { rec.screenSize = Point{width, height}; }
WindowHandle LastWindowParent() { return rec.lastParent; }
int SwapIntervalAsked() { return rec.swapIntervalAsked; }
void SetTestSwapHook(std::function<void(int)> hook) { rec.swapHook = std::move(hook); }
int SwapCount() { return rec.swaps; }
void SetTestProgramFolder(const std::string &folder) { rec.programFolder = folder; }

WindowHandle CurrentTestWindow() { return LiveWindow(); }
int LiveWindowCount() { return (int)LiveWindows().size(); }
bool TestWindowIsFullscreen() { return rec.windowsMade > 0 && (rec.lastStyle & WS_POPUP) != 0; }
Rect TestWindowRect() { return rec.windowsMade > 0 ? rec.lastRect : Rect{0, 0, 0, 0}; }
int CursorShowCount() { return rec.cursorCount; }
bool DisplayModeChanged() { return rec.modeChanged; }
int PlayedSoundCount() { return rec.sounds; }

std::vector<std::string> RegisteredTestClasses() {
  return std::vector<std::string>(rec.classes.begin(), rec.classes.end());
}

bool MakeTestGLContextCurrent(int width, int height) {
  TestSurface surface = MakeTestSurface(width, height);
  TestContext context = MakeTestContext();
  if (surface == nullptr || context == nullptr) {
    DestroyTestSurface(surface);
    DestroyTestContext(context);
    return false;
  }
  made.bareSurfaces.push_back(surface);
  made.bareContexts.push_back(context);
  rec.bareContextCurrent = true;
  return BindTestContext(surface, context);
}

// ===================== the system under the core

void SystemReadPointer(Point *position) { *position = rec.pointer; }
bool SystemPointerIsOurs() { return true; }

bool SystemWarpPointer(int x, int y) {
  rec.pointer = Point{x, y};
  return true;
}

void SystemPointerPlaced(bool) {}
bool SystemSetSwapInterval(int interval) {
  rec.swapIntervalAsked = interval;
  return interval == 0 || rec.swapIntervalAccepted;
}

int SystemRefreshRate(PlatformDevice *) { return rec.refreshRate; }
void SystemPumpEvents() {}
bool SystemOpenDisplay() { return true; }

SystemWindow *SystemCreateWindow(PlatformWindow *window, const char *) {
  rec.lastStyle = window->style;
  rec.lastParent = window->parent;
  rec.lastRect = window->rect;
  ++rec.windowsMade;
  made.windows.push_back(std::make_unique<SystemWindow>());
  return made.windows.back().get();
}

void SystemDestroyWindow(PlatformWindow *window) {
  if (rec.focus == window) rec.focus = nullptr;
}

void SystemShowWindow(PlatformWindow *) {}
void SystemRaiseWindow(PlatformWindow *) {}

void SystemFocusWindow(PlatformWindow *window) {
  if (!rec.focusSetByTest) rec.focus = window;
}

WindowHandle SystemFocusedWindow() { return rec.focus; }
void SystemShowCursor(bool) {}

SystemWindow *SystemFindHostWindow(uint64_t systemId, int *width, int *height) {
  auto host = rec.hostSizes.find(systemId);
  if (host == rec.hostSizes.end()) return nullptr;
  *width = host->second.x;
  *height = host->second.y;
  made.windows.push_back(std::make_unique<SystemWindow>());
  return made.windows.back().get();
}

void SystemForgetHostWindow(SystemWindow *) {}

bool SystemScreenSize(int *width, int *height) {
  *width = rec.screenSize.x;
  *height = rec.screenSize.y;
  return true;
}

int GetPicturesFolder(char *, size_t) { return 0; }

bool SystemOpenDevice(PlatformDevice *device) {
  TestSurface surface = MakeTestSurface(device->window->clientWidth, device->window->clientHeight);
  if (surface == nullptr) return false;
  made.surfaces.push_back(std::make_unique<SystemSurface>(SystemSurface{surface}));
  device->surface = made.surfaces.back().get();
  return true;
}

void SystemCloseDevice(PlatformDevice *device) {
  DestroyTestSurface(device->surface->surface);
  device->surface->surface = nullptr;
}

bool SystemSetPixelFormat(PlatformWindow *, const PixelFormatDescriptor &) { return true; }

SystemContext *SystemCreateContext(PlatformDevice *, const PlatformContext *) {
  TestContext context = MakeTestContext();
  if (context == nullptr) return nullptr;
  made.contexts.push_back(std::make_unique<SystemContext>(SystemContext{context}));
  return made.contexts.back().get();
}

bool SystemMakeCurrent(PlatformDevice *device, PlatformContext *context) {
  return BindTestContext(device->surface->surface, context->system->context);
}

void SystemReleaseCurrent(PlatformContext *) { BindTestContext(nullptr, nullptr); }

void SystemDeleteContext(PlatformContext *context) {
  DestroyTestContext(context->system->context);
  context->system->context = nullptr;
}

void SystemFinishFrame(PlatformDevice *) {}
void SystemPresent(PlatformDevice *device) { SwapTestSurface(device->surface->surface); }

// ===================== the backend's own services

int ChangeDisplayMode(const DisplayMode *mode, unsigned flags) {
  if (mode == nullptr) {
    Record("ChangeDisplayMode restore");
    rec.modeChanged = false;
    return DISP_CHANGE_SUCCESSFUL;
  }
  Record("ChangeDisplayMode " + std::to_string(mode->width) + "x" + std::to_string(mode->height) + "x" +
         std::to_string(mode->bitsPerPixel) + " fields=" + Hex(mode->fields) + " flags=" + Hex(flags));
  if (Fails("ChangeDisplayMode") || !rec.fullscreenAvailable) return DISP_CHANGE_BADMODE;
  rec.modeChanged = true;
  return DISP_CHANGE_SUCCESSFUL;
}

int ShowMessageBox(WindowHandle owner, const char *text, const char *caption, unsigned type) {
  int answer = (type & MB_TYPEMASK) == MB_OK ? IDOK : 0;
  if (!rec.boxAnswers.empty()) {
    answer = rec.boxAnswers.front();
    rec.boxAnswers.pop_front();
  }
  Record(std::string("ShowMessageBox owner=") + (owner ? "window" : "0") + " caption=" + caption +
         " type=" + Hex(type) + " text=" + text);
  rec.boxes.push_back(RecordedMessageBox{owner, text, caption, type, answer});
  return answer;
}

int PlaySoundFile(const char *path, unsigned flags) {
  Record(std::string("PlaySoundFile ") + path + " flags=" + std::to_string(flags));
  if (Fails("PlaySoundFile")) return 0;
  if ((flags & SND_NOSTOP) && rec.soundPlaying) return 0;
  rec.soundPlaying = true;
  ++rec.sounds;
  return 1;
}

void ShutdownPlatform() {
  Record("ShutdownPlatform");
  rec.soundPlaying = false;
}

void RequestOffscreenRendering() { Record("RequestOffscreenRendering"); }

int GetProgramFolder(char *folder, size_t size) {
  if (rec.programFolder.empty() || rec.programFolder.size() >= size) return 0;
  std::snprintf(folder, size, "%s", rec.programFolder.c_str());
  return 1;
}
