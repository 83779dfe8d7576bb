// gl_handles.cpp: device contexts, pixel formats, rendering contexts and the
// swap, as Windows hands them out, over the backend's own.
#include "platform/core/gl_handles.h"

#include <algorithm>
#include <vector>

#include "platform/core/swap_pacing.h"

namespace {

// Every handle handed out and not yet given back, so that a stale or
// foreign one is refused instead of followed.
std::vector<PlatformDevice *> devices;
std::vector<PlatformContext *> contexts;
PlatformContext *currentContext = nullptr;

template <typename Handle>
bool Holds(const std::vector<Handle *> &handles, const Handle *handle) {
  return handle != nullptr && std::find(handles.begin(), handles.end(), handle) != handles.end();
}

bool IsDevice(const PlatformDevice *device) { return Holds(devices, device) && IsLiveWindow(device->window); }

void ReleaseCurrentContext() {
  SystemReleaseCurrent(currentContext);
  currentContext = nullptr;
}

}  // namespace

void LetGoOfWindowsContext(const PlatformWindow *window) {
  if (currentContext != nullptr && currentContext->window == window) ReleaseCurrentContext();
}

void ResetGlHandles() {
  for (PlatformDevice *device : devices) delete device;
  for (PlatformContext *context : contexts) delete context;
  devices.clear();
  contexts.clear();
  currentContext = nullptr;
}

// ===================== device contexts and pixel formats

DeviceContext GetDeviceContext(WindowHandle window) {
  if (!IsLiveWindow(window)) return nullptr;
  auto *device = new PlatformDevice{window, nullptr};
  if (!SystemOpenDevice(device)) {
    delete device;
    return nullptr;
  }
  devices.push_back(device);
  return device;
}

int ReleaseDeviceContext(WindowHandle window, DeviceContext device) {
  if (!Holds(devices, device) || device->window != window) return 0;
  SystemCloseDevice(device);
  std::erase(devices, device);
  delete device;
  return 1;
}

int ChoosePixelFormat(DeviceContext device, const PixelFormatDescriptor *descriptor) {
  const uint32_t needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  if (!IsDevice(device) || descriptor == nullptr) return 0;
  if ((descriptor->dwFlags & needed) != needed || descriptor->iPixelType != PFD_TYPE_RGBA) return 0;
  return 1;  // the one format a backend offers: RGBA, as deep as its surfaces
}

int SetPixelFormat(DeviceContext device, int format, const PixelFormatDescriptor *descriptor) {
  if (!IsDevice(device) || format != 1 || descriptor == nullptr || device->window->hasPixelFormat) return 0;
  if (!SystemSetPixelFormat(device->window, *descriptor)) return 0;
  device->window->hasPixelFormat = true;
  return 1;
}

// ===================== rendering contexts and the swap

RenderingContext CreateRenderingContext(DeviceContext device) {
  if (!IsDevice(device) || !device->window->hasPixelFormat) return nullptr;
  SystemContext *system = SystemCreateContext(device, currentContext);
  if (system == nullptr) return nullptr;
  auto *context = new PlatformContext{system, device->window};
  contexts.push_back(context);
  return context;
}

int MakeRenderingContextCurrent(DeviceContext device, RenderingContext context) {
  if (context == nullptr) {
    ReleaseCurrentContext();
    return 1;
  }
  if (!IsDevice(device) || !Holds(contexts, context) || !SystemMakeCurrent(device, context)) return 0;
  context->window = device->window;
  currentContext = context;
  StartSwapPacing(SystemRefreshRate(device));
  return 1;
}

int DeleteRenderingContext(RenderingContext context) {
  if (!Holds(contexts, context)) return 0;
  if (currentContext == context) ReleaseCurrentContext();
  SystemDeleteContext(context);
  std::erase(contexts, context);
  delete context;
  return 1;
}

RenderingContext GetCurrentRenderingContext() { return currentContext; }

int SwapDeviceBuffers(DeviceContext device) {
  if (!IsDevice(device)) return 0;
  SystemFinishFrame(device);
  CallSwapHook();
  SystemPresent(device);
  return 1;
}
