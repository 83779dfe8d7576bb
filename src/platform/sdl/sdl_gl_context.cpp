// sdl_gl_context.cpp: pixel formats as SDL's GL attributes, GL contexts and
// the paced buffer swap.
#include <thread>

#include "platform/core/swap_pacing.h"
#include "platform/sdl/sdl_backend.h"

// SDL draws into the window itself.
bool SystemOpenDevice(PlatformDevice *) { return true; }

void SystemCloseDevice(PlatformDevice *) {}

bool SystemSetPixelFormat(PlatformWindow *, const PixelFormatDescriptor &descriptor) {
  // 16-bit colour is 5 bits a channel, anything deeper 8.
  int channelBits = descriptor.cColorBits <= 16 ? 5 : 8;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, descriptor.cAlphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, descriptor.cDepthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, descriptor.cStencilBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, descriptor.cAccumRedBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, descriptor.cAccumGreenBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, descriptor.cAccumBlueBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, descriptor.cAccumAlphaBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (descriptor.dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);
  return true;
}

SystemContext *SystemCreateContext(PlatformDevice *device, const PlatformContext *current) {
  SDL_GLContext gl = SDL_GL_CreateContext(device->window->system->sdl);
  if (gl == nullptr) return nullptr;
  // SDL makes a new context current; making it current is a step of its own.
  if (current != nullptr && IsLiveWindow(current->window))
    SDL_GL_MakeCurrent(current->window->system->sdl, current->system->gl);
  else
    SDL_GL_MakeCurrent(device->window->system->sdl, nullptr);
  return new SystemContext{gl};
}

bool SystemMakeCurrent(PlatformDevice *device, PlatformContext *context) {
  return SDL_GL_MakeCurrent(device->window->system->sdl, context->system->gl) == 0;
}

void SystemReleaseCurrent(PlatformContext *current) {
  if (current != nullptr && IsLiveWindow(current->window)) SDL_GL_MakeCurrent(current->window->system->sdl, nullptr);
}

void SystemDeleteContext(PlatformContext *context) {
  SDL_GL_DeleteContext(context->system->gl);
  delete context->system;
  ContextDeleted();
}

bool SystemSetSwapInterval(int interval) { return SDL_GL_SetSwapInterval(interval) == 0; }

void SystemFinishFrame(PlatformDevice *) {
  FinishFrameDrawing();
}

int SystemRefreshRate(PlatformDevice *device) {
  SDL_DisplayMode mode;
  int rate = 0;
  if (SDL_GetWindowDisplayMode(device->window->system->sdl, &mode) == 0) rate = mode.refresh_rate;
  if (rate <= 0 && SDL_GetCurrentDisplayMode(0, &mode) == 0) rate = mode.refresh_rate;
  return rate;
}

// The display's refresh period paces the swap where the driver does not. A
// host that has gone has nothing left to show the frame in.
void SystemPresent(PlatformDevice *device) {
  if (!HostHasGone(device->window)) SDL_GL_SwapWindow(device->window->system->sdl);
  std::this_thread::sleep_until(NextSwapTime(RefreshPeriod(SystemRefreshRate(device))));
}
