// recording_calls.cpp: the record of the calls the platform's shared core
// carries out. The tests build the core with its services renamed Real*
// (tests/CMakeLists.txt, recordedServices); the program's calls land here,
// are recorded, fail where the test asked, and go on to the core.
#include <cstdio>
#include <sstream>

#include "platform/core/system.h"
#include "support/recording_state.h"

namespace {

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}

// Records the call, then fails it where the test asked (answering failed)
// or hands it on to the core.
template <typename Result, typename Forward>
Result RecordAndForward(const std::string &line, const char *name, Result failed, Forward forward) {
  Record(line);
  return Fails(name) ? failed : forward();
}

}  // namespace

// ===================== instance, classes, cursor and windows

InstanceHandle RealGetProgramInstance();
InstanceHandle GetProgramInstance() {
  Record("GetProgramInstance");
  return RealGetProgramInstance();
}

int RealRegisterWindowClass(const WindowClass *windowClass);
int RegisterWindowClass(const WindowClass *windowClass) {
  Record(std::string("RegisterWindowClass name=") + windowClass->className + " style=" + Hex(windowClass->style) +
         " icon=" + std::to_string(windowClass->icon) + " cursor=" + std::to_string(windowClass->cursor));
  if (Fails("RegisterWindowClass") || !RealRegisterWindowClass(windowClass)) return 0;
  rec.classes.insert(windowClass->className);
  return 1;
}

int RealUnregisterWindowClass(const char *className, InstanceHandle instance);
int UnregisterWindowClass(const char *className, InstanceHandle instance) {
  Record(std::string("UnregisterWindowClass name=") + className);
  if (Fails("UnregisterWindowClass") || !RealUnregisterWindowClass(className, instance)) return 0;
  rec.classes.erase(className);
  return 1;
}

int RealShowMouseCursor(int show);
int ShowMouseCursor(int show) {
  Record("ShowMouseCursor " + std::to_string(show));
  rec.cursorCount = RealShowMouseCursor(show);
  return rec.cursorCount;
}

WindowHandle RealCreatePlatformWindow(uint32_t exStyle, const char *className, const char *title, uint32_t style,
                                      int x, int y, int width, int height, WindowHandle parent,
                                      InstanceHandle instance);
WindowHandle CreatePlatformWindow(uint32_t exStyle, const char *className, const char *title, uint32_t style,
                                  int x, int y, int width, int height, WindowHandle parent,
                                  InstanceHandle instance) {
  Record(std::string("CreatePlatformWindow class=") + className + " title=" + title + " style=" + Hex(style) +
         " exStyle=" + Hex(exStyle) + " at=" + std::to_string(x) + "," + std::to_string(y) +
         " size=" + std::to_string(width) + "x" + std::to_string(height) +
         " parent=" + (parent ? "yes" : "none") + " instance=" + (instance ? "yes" : "none"));
  if (Fails("CreatePlatformWindow")) return nullptr;
  return RealCreatePlatformWindow(exStyle, className, title, style, x, y, width, height, parent, instance);
}

int RealDestroyPlatformWindow(WindowHandle window);
int DestroyPlatformWindow(WindowHandle window) {
  return RecordAndForward("DestroyPlatformWindow", "DestroyPlatformWindow", 0,
                          [&] { return RealDestroyPlatformWindow(window); });
}

int RealShowPlatformWindow(WindowHandle window, int command);
int ShowPlatformWindow(WindowHandle window, int command) {
  Record("ShowPlatformWindow " + std::to_string(command));
  return RealShowPlatformWindow(window, command);
}

int RealBringWindowToFront(WindowHandle window);
int BringWindowToFront(WindowHandle window) {
  Record("BringWindowToFront");
  return RealBringWindowToFront(window);
}

WindowHandle RealSetInputFocus(WindowHandle window);
WindowHandle SetInputFocus(WindowHandle window) {
  Record("SetInputFocus");
  return RealSetInputFocus(window);
}

WindowHandle RealGetFocusWindow();
WindowHandle GetFocusWindow() {
  Record("GetFocusWindow");
  return RealGetFocusWindow();
}

// ===================== devices, contexts and the swap

DeviceContext RealGetDeviceContext(WindowHandle window);
DeviceContext GetDeviceContext(WindowHandle window) {
  return RecordAndForward("GetDeviceContext", "GetDeviceContext", (DeviceContext) nullptr,
                          [&] { return RealGetDeviceContext(window); });
}

int RealReleaseDeviceContext(WindowHandle window, DeviceContext device);
int ReleaseDeviceContext(WindowHandle window, DeviceContext device) {
  return RecordAndForward("ReleaseDeviceContext", "ReleaseDeviceContext", 0,
                          [&] { return RealReleaseDeviceContext(window, device); });
}

int RealChoosePixelFormat(DeviceContext device, const PixelFormatDescriptor *descriptor);
int ChoosePixelFormat(DeviceContext device, const PixelFormatDescriptor *descriptor) {
  std::ostringstream line;
  line << "ChoosePixelFormat size=" << descriptor->nSize << " version=" << descriptor->nVersion
       << " flags=" << Hex(descriptor->dwFlags) << " type=" << (int)descriptor->iPixelType
       << " colour=" << (int)descriptor->cColorBits << " alpha=" << (int)descriptor->cAlphaBits
       << " accum=" << (int)descriptor->cAccumBits << " depth=" << (int)descriptor->cDepthBits
       << " stencil=" << (int)descriptor->cStencilBits << " aux=" << (int)descriptor->cAuxBuffers
       << " layer=" << (int)descriptor->iLayerType;
  return RecordAndForward(line.str(), "ChoosePixelFormat", 0, [&] { return RealChoosePixelFormat(device, descriptor); });
}

int RealSetPixelFormat(DeviceContext device, int format, const PixelFormatDescriptor *descriptor);
int SetPixelFormat(DeviceContext device, int format, const PixelFormatDescriptor *descriptor) {
  return RecordAndForward("SetPixelFormat " + std::to_string(format), "SetPixelFormat", 0,
                          [&] { return RealSetPixelFormat(device, format, descriptor); });
}

RenderingContext RealCreateRenderingContext(DeviceContext device);
RenderingContext CreateRenderingContext(DeviceContext device) {
  return RecordAndForward("CreateRenderingContext", "CreateRenderingContext", (RenderingContext) nullptr,
                          [&] { return RealCreateRenderingContext(device); });
}

int RealMakeRenderingContextCurrent(DeviceContext device, RenderingContext context);
int MakeRenderingContextCurrent(DeviceContext device, RenderingContext context) {
  Record(std::string("MakeRenderingContextCurrent ") + (context ? "context" : "none"));
  if (Fails("MakeRenderingContextCurrent")) return 0;
  if (context == nullptr) rec.bareContextCurrent = false;
  return RealMakeRenderingContextCurrent(device, context);
}

int RealDeleteRenderingContext(RenderingContext context);
int DeleteRenderingContext(RenderingContext context) {
  return RecordAndForward("DeleteRenderingContext", "DeleteRenderingContext", 0,
                          [&] { return RealDeleteRenderingContext(context); });
}

// A context made by MakeTestGLContextCurrent counts as current too, for the
// GL code tested alone; any handle will do, as the program only asks.
RenderingContext RealGetCurrentRenderingContext();
RenderingContext GetCurrentRenderingContext() {
  static PlatformContext bareContext;
  RenderingContext current = RealGetCurrentRenderingContext();
  return current == nullptr && rec.bareContextCurrent ? &bareContext : current;
}

int RealSwapDeviceBuffers(DeviceContext device);
int SwapDeviceBuffers(DeviceContext device) {
  Record("SwapDeviceBuffers");
  ++rec.swaps;
  int swapped = RealSwapDeviceBuffers(device);
  if (rec.swapHook) rec.swapHook(rec.swaps);
  return swapped;
}

void RealSetSwapPacing(int on);
void SetSwapPacing(int on) {
  Record("SetSwapPacing " + std::to_string(on));
  RealSetSwapPacing(on);
}

// ===================== the queue and the cursor

int RealPeekPlatformMessage(Message *message, WindowHandle filter, unsigned first, unsigned last, unsigned remove);
int PeekPlatformMessage(Message *message, WindowHandle filter, unsigned first, unsigned last, unsigned remove) {
  int found = RealPeekPlatformMessage(message, filter, first, last, remove);
  Record(found ? "PeekPlatformMessage " + Hex(message->message) : std::string("PeekPlatformMessage none"));
  return found;
}

int RealTranslatePlatformMessage(const Message *message);
int TranslatePlatformMessage(const Message *message) {
  Record("TranslatePlatformMessage " + Hex(message->message));
  return RealTranslatePlatformMessage(message);
}

LResult RealDispatchPlatformMessage(const Message *message);
LResult DispatchPlatformMessage(const Message *message) {
  Record("DispatchPlatformMessage " + Hex(message->message));
  return RealDispatchPlatformMessage(message);
}

void RealPostQuitMessage(int exitCode);
void PostQuitMessage(int exitCode) {
  Record("PostQuitMessage " + std::to_string(exitCode));
  RealPostQuitMessage(exitCode);
}

LResult RealDefaultWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
LResult DefaultWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
  Record("DefaultWindowProc " + Hex(message));
  return RealDefaultWindowProc(window, message, wParam, lParam);
}

int RealGetCursorPosition(Point *position);
int GetCursorPosition(Point *position) {
  Record("GetCursorPosition");
  return RealGetCursorPosition(position);
}

int RealSetCursorPosition(int x, int y);
int SetCursorPosition(int x, int y) {
  Record("SetCursorPosition " + std::to_string(x) + "," + std::to_string(y));
  return RealSetCursorPosition(x, y);
}
