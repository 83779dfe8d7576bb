// box_text.cpp: prints the text of a message box that another program shows,
// for the Wine tests, which see the box on the X screen but not its words.
//
// Usage: box_text CAPTION [SECONDS]
// Waits up to SECONDS (default 20) for a top-level dialog with that caption,
// then prints the text of its message. Exit 0; 1 when no such box appears.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A message box is a dialog (class "#32770") whose message is its one
// static control with text; the icon is a static control without.
BOOL CALLBACK FindMessageText(HWND child, LPARAM found) {
  char className[32];
  if (!GetClassNameA(child, className, sizeof className) || lstrcmpiA(className, "Static") != 0) return TRUE;
  char text[1024] = "";
  SendMessageA(child, WM_GETTEXT, sizeof text, (LPARAM)text);
  if (text[0] == '\0') return TRUE;
  lstrcpynA((char *)found, text, sizeof text);
  return FALSE;
}

// The text of the box with that caption, waited for up to the time given;
// empty when none appears.
std::string WaitForBoxText(const char *caption, int seconds) {
  for (int tenth = 0; tenth < 10 * seconds; ++tenth) {
    char text[1024] = "";
    if (HWND box = FindWindowA("#32770", caption)) EnumChildWindows(box, FindMessageText, (LPARAM)text);
    if (text[0] != '\0') return text;
    Sleep(100);
  }
  return std::string();
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: box_text CAPTION [SECONDS]\n");
    return 2;
  }
  std::string text = WaitForBoxText(argv[1], argc > 2 ? std::atoi(argv[2]) : 20);
  if (text.empty()) {
    std::fprintf(stderr, "box_text: no box captioned %s\n", argv[1]);
    return 1;
  }
  std::fputs(text.c_str(), stdout);
  return 0;
}
