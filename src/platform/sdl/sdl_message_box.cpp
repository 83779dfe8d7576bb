// sdl_message_box.cpp: modal message boxes, or standard error where no box
// can be shown.
#include <cstdio>

#include "platform/sdl/sdl_backend.h"

namespace {

Uint32 IconFlags(unsigned type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONEXCLAMATION: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
  }
}

}  // namespace

int ShowMessageBox(WindowHandle owner, const char *text, const char *caption, unsigned type) {
  // Yes answers to Return and No to Escape, as the keyboard user expects.
  const SDL_MessageBoxButtonData yesNo[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
  };
  const SDL_MessageBoxButtonData ok[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"},
  };
  bool askYesNo = (type & MB_TYPEMASK) == MB_YESNO;
  SDL_MessageBoxData box = {};
  box.flags = IconFlags(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = IsLiveWindow(owner) ? owner->system->sdl : nullptr;
  box.title = caption;
  box.message = text;
  box.numbuttons = askYesNo ? 2 : 1;
  box.buttons = askYesNo ? yesNo : ok;
  int answer = -1;
  HideKeptWindows();
  if (SDL_ShowMessageBox(&box, &answer) != 0) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return 0;
  }
  return answer < 0 ? 0 : answer;  // closed without a choice
}
