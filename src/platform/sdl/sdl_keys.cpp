// sdl_keys.cpp: SDL's key codes as the program's virtual keys. Letters,
// digits, F1-F12 and the keypad's digits run in order in both; the rest is
// a table.
#include "platform/sdl/sdl_backend.h"

namespace {

struct KeyName {
  SDL_Keycode sdl;
  unsigned key;
};

constexpr KeyName namedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},      {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},       {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_LSHIFT, VK_SHIFT},        {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},       {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},           {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, VK_PAUSE},         {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE},       {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},        {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},             {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},           {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},         {SDLK_DOWN, VK_DOWN},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT}, {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},       {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},           {SDLK_APPLICATION, VK_APPS},
    {SDLK_KP_0, VK_NUMPAD0},        {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},         {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},   {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK}, {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_SEMICOLON, VK_OEM_1},     {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},     {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},   {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},     {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},     {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

}  // namespace

unsigned KeyFromKeycode(SDL_Keycode code) {
  if (code >= SDLK_a && code <= SDLK_z) return LetterKey('A') + (code - SDLK_a);
  if (code >= SDLK_0 && code <= SDLK_9) return '0' + (code - SDLK_0);
  if (code >= SDLK_F1 && code <= SDLK_F12) return VK_F1 + (code - SDLK_F1);
  if (code >= SDLK_KP_1 && code <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (code - SDLK_KP_1);
  for (const KeyName &named : namedKeys)
    if (named.sdl == code) return named.key;
  return 0;
}
