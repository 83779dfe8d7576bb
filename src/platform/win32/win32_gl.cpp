// win32_gl.cpp: device contexts, pixel formats, WGL rendering contexts and
// the paced buffer swap, on Win32 itself.
#include <thread>

#include "platform/win32/win32_backend.h"  // first: it sets platform.h and <windows.h> side by side

#include "platform/core/swap_pacing.h"

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

// ---- pacing (platform/core/swap_pacing.h): Wine on a virtual screen swaps at once.
bool finerTimer = false;

typedef BOOL(WINAPI *SwapIntervalProcedure)(int interval);

// The driver's swap interval call, which a context offers once it is current.
SwapIntervalProcedure SwapIntervalCall() {
  return (SwapIntervalProcedure)(void (*)())wglGetProcAddress("wglSwapIntervalEXT");
}

void SleepUntil(PacingClock::time_point due) {
  // Windows sleeps in steps of its timer period, 15.6 ms unless asked for 1 ms.
  if (due > PacingClock::now() && !finerTimer) finerTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
  std::this_thread::sleep_until(due);
}

}  // namespace

// ===================== shared within the backend

bool SystemSetSwapInterval(int interval) {
  SwapIntervalProcedure setInterval = SwapIntervalCall();
  return setInterval != nullptr && setInterval(interval);
}

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
  if (context != nullptr) StartSwapPacing(GetDeviceCaps((HDC)device, VREFRESH));
  return 1;
}

int DeleteRenderingContext(RenderingContext context) { return wglDeleteContext((HGLRC)context) ? 1 : 0; }

RenderingContext GetCurrentRenderingContext() { return (RenderingContext)wglGetCurrentContext(); }

int SwapDeviceBuffers(DeviceContext device) {
  CallSwapHook();
  if (!SwapBuffers((HDC)device)) return 0;
  SleepUntil(NextSwapTime(RefreshPeriod(GetDeviceCaps((HDC)device, VREFRESH))));
  return 1;
}
