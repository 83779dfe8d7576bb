// win32_gl.cpp: device contexts, pixel formats, WGL rendering contexts and
// the paced buffer swap, on Win32 itself.
#include <chrono>
#include <thread>

#include "platform/win32_backend.h"

namespace {

// The program's descriptor is the Windows one, field for field.
static_assert(sizeof(PixelFormatDescriptor) == sizeof(PIXELFORMATDESCRIPTOR), "the 40-byte descriptor");
static_assert(offsetof(PixelFormatDescriptor, cColorBits) == offsetof(PIXELFORMATDESCRIPTOR, cColorBits) &&
                  offsetof(PixelFormatDescriptor, cDepthBits) == offsetof(PIXELFORMATDESCRIPTOR, cDepthBits) &&
                  offsetof(PixelFormatDescriptor, dwDamageMask) == offsetof(PIXELFORMATDESCRIPTOR, dwDamageMask),
              "the descriptor's fields lie where Windows reads them");

const PIXELFORMATDESCRIPTOR *AsWindowsDescriptor(const PixelFormatDescriptor *descriptor) {
  return (const PIXELFORMATDESCRIPTOR *)descriptor;
}

// ---- pacing: a vertically synced swap where the driver gives one, else the
// swap waits out the rest of the display's refresh period itself (Wine on a
// virtual screen swaps at once).
using Clock = std::chrono::steady_clock;
bool pacingOn = true;
bool driverPaces = false;
bool finerTimer = false;
int measuredSwaps = 0;
Clock::time_point measureStart, nextSwapDue;
const int swapsToMeasure = 20;

typedef BOOL(WINAPI *SwapIntervalProcedure)(int interval);

// The driver's swap interval call, which a context offers once it is current.
SwapIntervalProcedure SwapIntervalCall() {
  return (SwapIntervalProcedure)(void (*)())wglGetProcAddress("wglSwapIntervalEXT");
}

double RefreshPeriod(HDC device) {
  int rate = GetDeviceCaps(device, VREFRESH);  // 0 and 1 stand for the hardware's default
  return 1.0 / (rate > 1 ? rate : 60);
}

// Every new context asks again, as the tools' choice of no pacing must hold
// across a mode switch too.
void StartPacing() {
  SwapIntervalProcedure setInterval = SwapIntervalCall();
  if (!pacingOn) {
    if (setInterval != nullptr) setInterval(0);
    return;
  }
  driverPaces = setInterval != nullptr && setInterval(1);
  measuredSwaps = 0;
  nextSwapDue = Clock::now();
}

void SleepUntil(Clock::time_point due) {
  // Windows sleeps in steps of its timer period, 15.6 ms unless asked for 1 ms.
  if (!finerTimer) finerTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
  std::this_thread::sleep_until(due);
}

void PaceSwap(HDC device) {
  if (!pacingOn) return;
  auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(RefreshPeriod(device)));
  Clock::time_point now = Clock::now();
  // A driver that accepted vertical sync must show it: the first swaps may
  // not come faster than the display could show them.
  if (driverPaces && measuredSwaps <= swapsToMeasure) {
    if (measuredSwaps++ == 0) measureStart = now;
    if (measuredSwaps > swapsToMeasure && now - measureStart < period * swapsToMeasure * 7 / 10)
      driverPaces = false;
    nextSwapDue = now;
    return;
  }
  if (driverPaces) return;
  nextSwapDue += period;
  if (nextSwapDue < now) nextSwapDue = now;  // a slow frame does not earn a burst after it
  SleepUntil(nextSwapDue);
}

// The tools' hook inside the swap, and the swaps counted for it.
SwapHook swapHook = nullptr;
int swapCount = 0;

}  // namespace

// ===================== shared within the backend

void EndSwapPacing() {
  if (finerTimer) timeEndPeriod(1);
  finerTimer = false;
}

// ===================== device contexts and pixel formats

DeviceContext GetDeviceContext(WindowHandle window) { return (DeviceContext)GetDC((HWND)window); }

int ReleaseDeviceContext(WindowHandle window, DeviceContext device) {
  return ReleaseDC((HWND)window, (HDC)device) == 1 ? 1 : 0;
}

int ChoosePixelFormat(DeviceContext device, const PixelFormatDescriptor *descriptor) {
  return ::ChoosePixelFormat((HDC)device, AsWindowsDescriptor(descriptor));
}

int SetPixelFormat(DeviceContext device, int format, const PixelFormatDescriptor *descriptor) {
  return ::SetPixelFormat((HDC)device, format, AsWindowsDescriptor(descriptor)) ? 1 : 0;
}

// ===================== rendering contexts and the swap

RenderingContext CreateRenderingContext(DeviceContext device) {
  return (RenderingContext)wglCreateContext((HDC)device);
}

int MakeRenderingContextCurrent(DeviceContext device, RenderingContext context) {
  if (!wglMakeCurrent((HDC)device, (HGLRC)context)) return 0;
  if (context != nullptr) StartPacing();
  return 1;
}

int DeleteRenderingContext(RenderingContext context) { return wglDeleteContext((HGLRC)context) ? 1 : 0; }

RenderingContext GetCurrentRenderingContext() { return (RenderingContext)wglGetCurrentContext(); }

int SwapDeviceBuffers(DeviceContext device) {
  if (swapHook != nullptr) swapHook(++swapCount);
  if (!SwapBuffers((HDC)device)) return 0;
  PaceSwap((HDC)device);
  return 1;
}

void SetSwapHook(SwapHook hook) { swapHook = hook; }

void SetSwapPacing(int on) {
  pacingOn = on != 0;
  if (wglGetCurrentContext() == nullptr) return;
  if (SwapIntervalProcedure setInterval = SwapIntervalCall()) setInterval(on ? 1 : 0);
}
