// window_list.cpp: the program's live windows.
#include "platform/core/window_list.h"

#include <algorithm>

namespace {

std::vector<PlatformWindow *> liveWindows;

}  // namespace

const std::vector<PlatformWindow *> &LiveWindows() { return liveWindows; }

PlatformWindow *LiveWindow() { return liveWindows.empty() ? nullptr : liveWindows.back(); }

bool IsLiveWindow(const PlatformWindow *window) {
  return window != nullptr && std::find(liveWindows.begin(), liveWindows.end(), window) != liveWindows.end();
}

void AddLiveWindow(PlatformWindow *window) { liveWindows.push_back(window); }

void RemoveLiveWindow(PlatformWindow *window) { std::erase(liveWindows, window); }

void ClearLiveWindows() { liveWindows.clear(); }

LResult SendToWindow(PlatformWindow *window, unsigned message, WParam wParam, LParam lParam) {
  return window->procedure(window, message, wParam, lParam);
}
