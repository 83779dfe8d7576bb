// saver_host.cpp: a window for a screensaver's preview to draw in, as the
// Display settings' little monitor is, for the Wine tests.
//
// Usage: saver_host LEFT TOP WIDTH HEIGHT [SECONDS]
// Shows a borderless top-level window whose client area is WIDTH x HEIGHT at
// LEFT, TOP on the screen, painted magenta so that whatever a preview leaves
// uncovered shows. Prints its HWND in decimal on a line of its own, then
// "child WIDTHxHEIGHT+X+Y CLASS" once a child window has come (another
// program's, made with this HWND as its parent): its client size, where it
// lies in the client area, and its window class. Destroys the window when a
// line (or the end) comes on standard input, or after SECONDS (default 120)
// so that it never outlives a failed test. Prints "destroyed" once
// DestroyWindow has returned, and exits 0.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr UINT hostEnds = WM_APP + 1;
constexpr UINT_PTR lifeTimer = 1, childTimer = 2;
bool childSeen = false;

// The first child's client rectangle, in the host's client coordinates.
void ReportChild(HWND window) {
  HWND child = GetWindow(window, GW_CHILD);
  if (child == nullptr) return;
  RECT client;
  POINT origin = {0, 0};
  char className[64] = "";
  GetClientRect(child, &client);
  MapWindowPoints(child, window, &origin, 1);
  GetClassNameA(child, className, sizeof className);
  std::printf("child %ldx%ld+%ld+%ld %s\n", client.right, client.bottom, origin.x, origin.y, className);
  std::fflush(stdout);
  childSeen = true;
}

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == hostEnds) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

// Reads standard input on its own thread, the window's thread being busy
// with its messages; the first line or the end tells the window to go.
DWORD WINAPI WaitForInput(void *window) {
  char line[64];
  std::fgets(line, sizeof line, stdin);
  PostMessageA((HWND)window, hostEnds, 0, 0);
  return 0;
}

HWND CreateHost(int left, int top, int width, int height) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = HostProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
  windowClass.lpszClassName = "TalmirTestHost";
  if (!RegisterClassA(&windowClass)) return nullptr;
  // A popup has no frame: its client area is the window itself.
  return CreateWindowExA(0, windowClass.lpszClassName, "Saver host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, left,
                         top, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: saver_host LEFT TOP WIDTH HEIGHT [SECONDS]\n");
    return 2;
  }
  HWND window = CreateHost(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  if (window == nullptr) {
    std::fprintf(stderr, "saver_host: cannot create the window (error %lu)\n", GetLastError());
    return 1;
  }
  UpdateWindow(window);
  std::printf("%llu\n", (unsigned long long)(uintptr_t)window);
  std::fflush(stdout);
  CloseHandle(CreateThread(nullptr, 0, WaitForInput, window, 0, nullptr));
  SetTimer(window, lifeTimer, (UINT)(1000 * (argc == 6 ? std::atoi(argv[5]) : 120)), nullptr);
  SetTimer(window, childTimer, 50, nullptr);  // asked for: a child may turn WM_PARENTNOTIFY off
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.wParam == lifeTimer) PostMessageA(window, hostEnds, 0, 0);
    if (message.message == WM_TIMER && message.wParam == childTimer && !childSeen) ReportChild(window);
    DispatchMessageA(&message);
  }
  std::printf("destroyed\n");
  std::fflush(stdout);
  return 0;
}
