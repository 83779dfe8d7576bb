// recording_platform.cpp: the tests' platform backend: records, fails on
// request, answers boxes from a script, renders with real Mesa GL offscreen
// (through its GL half, recording_gl.h).
#include "support/recording_platform.h"

#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <sstream>

#include "platform/window_frame.h"
#include "support/recording_gl.h"

struct PlatformInstance {
  int unused;
};

struct PlatformWindow {
  WindowProcedure procedure;
  uint32_t style;
  Rect rect;
  bool alive;
  bool hasPixelFormat;
};

struct PlatformDevice {
  PlatformWindow *window;
  TestSurface surface;
  bool released;
};

struct PlatformContext {
  TestContext context;
};

namespace {

struct Recording {
  std::vector<std::string> calls;
  std::vector<RecordedMessageBox> boxes;
  std::map<std::string, int> callCounts;
  std::map<std::string, std::vector<int>> failAt;
  std::deque<int> boxAnswers;
  bool fullscreenAvailable = true;
  bool modeChanged = false;
  std::deque<Message> queue;
  Point cursor{512, 384};
  WindowHandle focus = nullptr;
  bool focusSetByTest = false;
  std::function<void(int)> swapHook;
  SwapHook platformSwapHook = nullptr;
  std::string programFolder;  // none: the tests run the program's code, not its file
  int swaps = 0;
  int cursorCount = 0;
  int sounds = 0;
  bool soundPlaying = false;
  std::map<std::string, WindowClass> classes;
  std::vector<std::unique_ptr<PlatformWindow>> windows;
  std::vector<std::unique_ptr<PlatformDevice>> devices;
  std::vector<std::unique_ptr<PlatformContext>> contexts;
  PlatformWindow *lastWindow = nullptr;
  RenderingContext current = nullptr;
};

Recording rec;
PlatformInstance programInstance;

std::vector<TestSurface> bareSurfaces;  // made for tests of GL code alone

void Record(const std::string &line) { rec.calls.push_back(line); }

// Counts the call and says whether the test asked it to fail.
bool Fails(const std::string &name) {
  int n = ++rec.callCounts[name];
  for (int target : rec.failAt[name])
    if (target == n) return true;
  return false;
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}

Rect ClientRect(const PlatformWindow *window) {
  Rect insets = WindowFrameInsets(window->style);
  const Rect &r = window->rect;
  return Rect{r.left + insets.left, r.top + insets.top, r.right - insets.right, r.bottom - insets.bottom};
}

LResult SendToWindow(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam) {
  return window->procedure(window, message, wParam, lParam);
}

}  // namespace

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
  for (auto &device : rec.devices)
    if (!device->released) DestroyTestSurface(device->surface);
  for (auto &context : rec.contexts) DestroyTestContext(context->context);
  for (TestSurface surface : bareSurfaces) DestroyTestSurface(surface);
  bareSurfaces.clear();
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

void FailPlatformCall(const std::string &name, int nth) {
  rec.failAt[name].push_back(rec.callCounts[name] + nth);
}

void ScriptMessageBoxAnswers(const std::vector<int> &answers) {
  rec.boxAnswers.assign(answers.begin(), answers.end());
}

void SetFullscreenModeAvailable(bool available) { rec.fullscreenAvailable = available; }

void QueueTestMessage(unsigned message, WParam wParam, LParam lParam, WindowHandle window) {
  rec.queue.push_back(Message{window ? window : rec.lastWindow, message, wParam, lParam});
}

void SetTestCursorPosition(int x, int y) { rec.cursor = Point{x, y}; }

void SetTestFocusWindow(WindowHandle window) {
  rec.focus = window;
  rec.focusSetByTest = true;
}

void SetTestSwapHook(std::function<void(int)> hook) { rec.swapHook = std::move(hook); }
int SwapCount() { return rec.swaps; }

WindowHandle CurrentTestWindow() {
  return rec.lastWindow != nullptr && rec.lastWindow->alive ? rec.lastWindow : nullptr;
}

int LiveWindowCount() {
  int live = 0;
  for (auto &window : rec.windows) live += window->alive ? 1 : 0;
  return live;
}

bool TestWindowIsFullscreen() {
  return rec.lastWindow != nullptr && (rec.lastWindow->style & WS_POPUP) != 0;
}

Rect TestWindowRect() { return rec.lastWindow != nullptr ? rec.lastWindow->rect : Rect{0, 0, 0, 0}; }
int CursorShowCount() { return rec.cursorCount; }
bool DisplayModeChanged() { return rec.modeChanged; }
int PlayedSoundCount() { return rec.sounds; }

bool MakeTestGLContextCurrent(int width, int height) {
  TestSurface surface = MakeTestSurface(width, height);
  TestContext context = MakeTestContext();
  if (surface == nullptr || context == nullptr) {
    DestroyTestSurface(surface);
    DestroyTestContext(context);
    return false;
  }
  bareSurfaces.push_back(surface);
  rec.contexts.push_back(std::make_unique<PlatformContext>(PlatformContext{context}));
  rec.current = rec.contexts.back().get();
  return BindTestContext(surface, context);
}

// ===================== the platform layer

InstanceHandle GetProgramInstance() {
  Record("GetProgramInstance");
  return &programInstance;
}

int RegisterWindowClass(const WindowClass *windowClass) {
  Record(std::string("RegisterWindowClass name=") + windowClass->className +
         " style=" + Hex(windowClass->style) + " icon=" + std::to_string(windowClass->icon) +
         " cursor=" + std::to_string(windowClass->cursor));
  if (Fails("RegisterWindowClass") || rec.classes.count(windowClass->className)) return 0;
  rec.classes[windowClass->className] = *windowClass;
  return 1;
}

int UnregisterWindowClass(const char *className, InstanceHandle instance) {
  Record(std::string("UnregisterWindowClass name=") + className);
  if (Fails("UnregisterWindowClass") || instance == nullptr) return 0;
  return rec.classes.erase(className) ? 1 : 0;
}

std::vector<std::string> RegisteredTestClasses() {
  std::vector<std::string> names;
  for (auto &entry : rec.classes) names.push_back(entry.first);
  return names;
}

int ChangeDisplayMode(const DisplayMode *mode, unsigned flags) {
  if (mode == nullptr) {
    Record("ChangeDisplayMode restore");
    rec.modeChanged = false;
    return DISP_CHANGE_SUCCESSFUL;
  }
  Record("ChangeDisplayMode " + std::to_string(mode->width) + "x" + std::to_string(mode->height) +
         "x" + std::to_string(mode->bitsPerPixel) + " fields=" + Hex(mode->fields) +
         " flags=" + Hex(flags));
  if (Fails("ChangeDisplayMode") || !rec.fullscreenAvailable) return DISP_CHANGE_BADMODE;
  rec.modeChanged = true;
  return DISP_CHANGE_SUCCESSFUL;
}

int ShowMouseCursor(int show) {
  Record("ShowMouseCursor " + std::to_string(show));
  rec.cursorCount += show ? 1 : -1;
  return rec.cursorCount;
}

WindowHandle CreatePlatformWindow(uint32_t exStyle, const char *className, const char *title,
                                  uint32_t style, int x, int y, int width, int height,
                                  WindowHandle parent, InstanceHandle instance) {
  Record(std::string("CreatePlatformWindow class=") + className + " title=" + title +
         " style=" + Hex(style) + " exStyle=" + Hex(exStyle) + " at=" + std::to_string(x) + "," +
         std::to_string(y) + " size=" + std::to_string(width) + "x" + std::to_string(height) +
         " parent=" + (parent ? "yes" : "none") + " instance=" + (instance ? "yes" : "none"));
  auto found = rec.classes.find(className);
  if (Fails("CreatePlatformWindow") || found == rec.classes.end()) return nullptr;
  rec.windows.push_back(std::make_unique<PlatformWindow>(
      PlatformWindow{found->second.procedure, style, Rect{x, y, x + width, y + height}, true, false}));
  PlatformWindow *window = rec.windows.back().get();
  rec.lastWindow = window;
  // Like the Windows call, creation reports the client size to the window.
  Rect client = ClientRect(window);
  SendToWindow(window, WM_SIZE, 0,
               (LParam)((unsigned)(client.right - client.left) |
                        ((unsigned)(client.bottom - client.top) << 16)));
  return window;
}

int DestroyPlatformWindow(WindowHandle window) {
  Record("DestroyPlatformWindow");
  if (Fails("DestroyPlatformWindow") || window == nullptr || !window->alive) return 0;
  SendToWindow(window, WM_ACTIVATE, WA_INACTIVE, 0);
  window->alive = false;
  std::deque<Message> kept;
  for (const Message &message : rec.queue)
    if (message.window != window) kept.push_back(message);
  rec.queue.swap(kept);
  if (rec.focus == window) rec.focus = nullptr;
  return 1;
}

int ShowPlatformWindow(WindowHandle window, int command) {
  Record("ShowPlatformWindow " + std::to_string(command));
  if (window == nullptr || !window->alive) return 0;
  SendToWindow(window, WM_ACTIVATE, WA_ACTIVE, 0);
  return 1;
}

int BringWindowToFront(WindowHandle window) {
  Record("BringWindowToFront");
  return window != nullptr && window->alive;
}

WindowHandle SetInputFocus(WindowHandle window) {
  Record("SetInputFocus");
  WindowHandle previous = rec.focus;
  if (!rec.focusSetByTest) rec.focus = window;
  return previous;
}

WindowHandle GetFocusWindow() {
  Record("GetFocusWindow");
  return rec.focus;
}

DeviceContext GetDeviceContext(WindowHandle window) {
  Record("GetDeviceContext");
  if (Fails("GetDeviceContext") || window == nullptr || !window->alive) return nullptr;
  Rect client = ClientRect(window);
  TestSurface surface = MakeTestSurface(client.right - client.left, client.bottom - client.top);
  if (surface == nullptr) return nullptr;
  rec.devices.push_back(std::make_unique<PlatformDevice>(PlatformDevice{window, surface, false}));
  return rec.devices.back().get();
}

int ReleaseDeviceContext(WindowHandle window, DeviceContext device) {
  Record("ReleaseDeviceContext");
  if (Fails("ReleaseDeviceContext") || device == nullptr || device->released || device->window != window)
    return 0;
  device->released = true;
  DestroyTestSurface(device->surface);
  return 1;
}

int ChoosePixelFormat(DeviceContext device, const PixelFormatDescriptor *descriptor) {
  std::ostringstream line;
  line << "ChoosePixelFormat size=" << descriptor->nSize << " version=" << descriptor->nVersion
       << " flags=" << Hex(descriptor->dwFlags) << " type=" << (int)descriptor->iPixelType
       << " colour=" << (int)descriptor->cColorBits << " alpha=" << (int)descriptor->cAlphaBits
       << " accum=" << (int)descriptor->cAccumBits << " depth=" << (int)descriptor->cDepthBits
       << " stencil=" << (int)descriptor->cStencilBits << " aux=" << (int)descriptor->cAuxBuffers
       << " layer=" << (int)descriptor->iLayerType;
  Record(line.str());
  if (Fails("ChoosePixelFormat") || device == nullptr) return 0;
  return 1;
}

int SetPixelFormat(DeviceContext device, int format, const PixelFormatDescriptor *descriptor) {
  Record("SetPixelFormat " + std::to_string(format));
  if (Fails("SetPixelFormat") || device == nullptr || descriptor == nullptr || format < 1 ||
      device->window->hasPixelFormat)
    return 0;
  device->window->hasPixelFormat = true;
  return 1;
}

RenderingContext CreateRenderingContext(DeviceContext device) {
  Record("CreateRenderingContext");
  if (Fails("CreateRenderingContext") || device == nullptr || !device->window->hasPixelFormat)
    return nullptr;
  TestContext context = MakeTestContext();
  if (context == nullptr) return nullptr;
  rec.contexts.push_back(std::make_unique<PlatformContext>(PlatformContext{context}));
  return rec.contexts.back().get();
}

int MakeRenderingContextCurrent(DeviceContext device, RenderingContext context) {
  Record(std::string("MakeRenderingContextCurrent ") + (context ? "context" : "none"));
  if (Fails("MakeRenderingContextCurrent")) return 0;
  if (context == nullptr) {
    BindTestContext(nullptr, nullptr);
    rec.current = nullptr;
    return 1;
  }
  if (device == nullptr || device->released) return 0;
  if (!BindTestContext(device->surface, context->context)) return 0;
  rec.current = context;
  return 1;
}

int DeleteRenderingContext(RenderingContext context) {
  Record("DeleteRenderingContext");
  if (Fails("DeleteRenderingContext") || context == nullptr || context->context == nullptr) return 0;
  DestroyTestContext(context->context);
  context->context = nullptr;
  if (rec.current == context) rec.current = nullptr;
  return 1;
}

RenderingContext GetCurrentRenderingContext() { return rec.current; }

int SwapDeviceBuffers(DeviceContext device) {
  Record("SwapDeviceBuffers");
  ++rec.swaps;
  if (rec.platformSwapHook != nullptr) rec.platformSwapHook(rec.swaps);
  if (device != nullptr && !device->released) SwapTestSurface(device->surface);
  if (rec.swapHook) rec.swapHook(rec.swaps);
  return device != nullptr;
}

int PeekPlatformMessage(Message *message, WindowHandle filter, unsigned first, unsigned last,
                        unsigned remove) {
  (void)filter;
  (void)first;
  (void)last;
  if (rec.queue.empty()) {
    Record("PeekPlatformMessage none");
    return 0;
  }
  *message = rec.queue.front();
  if (remove & PM_REMOVE) rec.queue.pop_front();
  Record("PeekPlatformMessage " + Hex(message->message));
  return 1;
}

int TranslatePlatformMessage(const Message *message) {
  Record("TranslatePlatformMessage " + Hex(message->message));
  return 0;
}

LResult DispatchPlatformMessage(const Message *message) {
  Record("DispatchPlatformMessage " + Hex(message->message));
  PlatformWindow *window = message->window != nullptr ? message->window : CurrentTestWindow();
  if (window == nullptr || !window->alive) return 0;
  return SendToWindow(window, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) {
  Record("PostQuitMessage " + std::to_string(exitCode));
  rec.queue.push_back(Message{nullptr, WM_QUIT, (WParam)exitCode, 0});
}

LResult DefaultWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
  (void)lParam;
  Record("DefaultWindowProc " + Hex(message));
  if (message == WM_SYSCOMMAND && wParam == SC_CLOSE && window != nullptr)
    return SendToWindow(window, WM_CLOSE, 0, 0);
  return 0;
}

int GetCursorPosition(Point *position) {
  Record("GetCursorPosition");
  *position = rec.cursor;
  return 1;
}

int SetCursorPosition(int x, int y) {
  Record("SetCursorPosition " + std::to_string(x) + "," + std::to_string(y));
  rec.cursor = Point{x, y};
  return 1;
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
void SetSwapPacing(int on) { Record("SetSwapPacing " + std::to_string(on)); }
void SetSwapHook(SwapHook hook) { rec.platformSwapHook = hook; }
int GetProgramFolder(char *folder, size_t size) {
  if (rec.programFolder.empty() || rec.programFolder.size() >= size) return 0;
  std::snprintf(folder, size, "%s", rec.programFolder.c_str());
  return 1;
}

void SetTestProgramFolder(const std::string &folder) { rec.programFolder = folder; }
// As the SDL backend queues them: keys for no particular window, reaching
// the window that is live when they are dispatched (across a mode switch too).
void SimulateKey(unsigned virtualKey, int down) {
  rec.queue.push_back(Message{nullptr, down ? (unsigned)WM_KEYDOWN : (unsigned)WM_KEYUP, virtualKey, 0});
}
void SimulateMouseButton(int button, int down) {
  static const unsigned downs[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  static const unsigned ups[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
  if (button >= 1 && button <= 3) QueueTestMessage(down ? downs[button - 1] : ups[button - 1], 0, 0);
}
void SimulateMouseMotion(int dx, int dy) { rec.cursor = Point{rec.cursor.x + dx, rec.cursor.y + dy}; }
