// sdl_host_window.cpp: windows of other programs that Talmir draws in (a
// screensaver's host), and the screen's own size.
//
// Only X11 lets a program draw in another's window. The host is looked up,
// and then watched for its size and its end, through a connection of our
// own: its events (StructureNotify on the host) come to us alone, whatever
// SDL or the host's owner select on the same window. A host may go at any
// moment, even between our look at its events and the next swap: the X
// errors that name a host are noted as its end instead of ending the
// program as Xlib's own handler would.
#include <X11/Xlib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/core/message_queue.h"
#include "platform/core/message_words.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// Our own connection to the X server, open while a host is known.
Display *watch = nullptr;
// The hosts found, by their X id, and whether each is gone.
struct WatchedHost {
  Window id;
  bool gone;
};
std::vector<WatchedHost> watchedHosts;
XErrorHandler previousHandler = nullptr;
// Set by the look-up's own handler when the window asked for does not exist.
bool lookupFailed = false;

WatchedHost *Watched(unsigned long id) {
  for (WatchedHost &host : watchedHosts)
    if (host.id == id) return &host;
  return nullptr;
}

// Errors naming a host mean it has gone; any other error is Xlib's (or
// SDL's) to handle as before.
int NoteHostErrors(Display *display, XErrorEvent *error) {
  if (WatchedHost *host = Watched(error->resourceid)) {
    host->gone = true;
    return 0;
  }
  return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

int NoteLookupError(Display *, XErrorEvent *) {
  lookupFailed = true;
  return 0;
}

bool OpenWatch() {
  if (watch != nullptr) return true;
  const char *driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || SDL_strcmp(driver, "x11") != 0) {
    std::fprintf(stderr, "talmir: only X11 lets a program draw in another's window (the video driver is %s)\n",
                 driver != nullptr ? driver : "none");
    return false;
  }
  watch = XOpenDisplay(nullptr);
  if (watch == nullptr) {
    std::fprintf(stderr, "talmir: cannot reach the X display %s\n", XDisplayName(nullptr));
    return false;
  }
  return true;
}

// The window's size, and its events selected on our connection; false
// where there is no such window. Errors are caught here, never fatal.
bool LookUp(Window id, int *width, int *height) {
  XSync(watch, False);
  lookupFailed = false;
  XErrorHandler before = XSetErrorHandler(NoteLookupError);
  XWindowAttributes attributes;
  bool found = XGetWindowAttributes(watch, id, &attributes) != 0;
  if (found) XSelectInput(watch, id, StructureNotifyMask);
  XSync(watch, False);
  XSetErrorHandler(before);
  if (!found || lookupFailed) return false;
  *width = attributes.width;
  *height = attributes.height;
  return true;
}

// Our windows that draw in the host.
std::vector<PlatformWindow *> GuestsOf(Window id) {
  std::vector<PlatformWindow *> guests;
  for (PlatformWindow *live : LiveWindows())
    if (live->parent != nullptr && live->parent->system->hostId == id) guests.push_back(live);
  return guests;
}

void HostResized(Window id, int width, int height) {
  for (PlatformWindow *guest : GuestsOf(id)) {
    // A move or restack of the host tells its size too; only a new one is news.
    if (guest->clientWidth == width && guest->clientHeight == height) continue;
    guest->parent->clientWidth = width;
    guest->parent->clientHeight = height;
    guest->clientWidth = width;
    guest->clientHeight = height;
    PostToQueue(guest, WM_SIZE, 0, PackWords(width, height));
  }
}

// A window whose host has gone closes, once: the program ends as if its
// close box had been clicked.
void CloseGuestsOfGoneHosts() {
  for (WatchedHost &host : watchedHosts) {
    if (!host.gone) continue;
    for (PlatformWindow *guest : GuestsOf(host.id))
      if (!guest->system->hostGone) {
        guest->system->hostGone = true;
        PostToQueue(guest, WM_CLOSE, 0, 0);
      }
  }
}

}  // namespace

SystemWindow *SystemFindHostWindow(uint64_t systemId, int *width, int *height) {
  if (!OpenWatch()) return nullptr;
  Window id = systemId == hostRootWindow ? DefaultRootWindow(watch) : (Window)systemId;
  if (!LookUp(id, width, height)) return nullptr;
  if (watchedHosts.empty()) previousHandler = XSetErrorHandler(NoteHostErrors);
  watchedHosts.push_back(WatchedHost{id, false});
  return new SystemWindow{nullptr, id, false};
}

void SystemForgetHostWindow(SystemWindow *host) {
  for (auto at = watchedHosts.begin(); at != watchedHosts.end(); ++at)
    if (at->id == host->hostId) {
      watchedHosts.erase(at);
      break;
    }
  delete host;
  if (!watchedHosts.empty() || watch == nullptr) return;
  XSetErrorHandler(previousHandler);
  previousHandler = nullptr;
  XCloseDisplay(watch);
  watch = nullptr;
}

SDL_Window *CreateWindowInHost(const SystemWindow *host) {
  // SDL draws with GL in a window it did not make only when told so first.
  SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
  SDL_Window *sdl = SDL_CreateWindowFrom((const void *)(uintptr_t)host->hostId);
  if (sdl == nullptr) std::fprintf(stderr, "talmir: cannot draw in window 0x%lx: %s\n", host->hostId, SDL_GetError());
  return sdl;
}

void WatchHostWindows() {
  if (watch == nullptr) return;
  while (XPending(watch) > 0) {
    XEvent event;
    XNextEvent(watch, &event);
    if (event.type == DestroyNotify) {
      if (WatchedHost *host = Watched(event.xdestroywindow.window)) host->gone = true;
    } else if (event.type == ConfigureNotify && Watched(event.xconfigure.window) != nullptr) {
      HostResized(event.xconfigure.window, event.xconfigure.width, event.xconfigure.height);
    }
  }
  CloseGuestsOfGoneHosts();
}

bool HostHasGone(const PlatformWindow *window) {
  if (window->parent == nullptr) return false;
  WatchedHost *host = Watched(window->parent->system->hostId);
  return host == nullptr || host->gone;
}

bool SystemScreenSize(int *width, int *height) {
  SDL_DisplayMode mode;
  if (!EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
  *width = mode.w;
  *height = mode.h;
  return true;
}
