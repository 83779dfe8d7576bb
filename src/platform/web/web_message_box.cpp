// web_message_box.cpp: message boxes in the page. A page cannot wait for a
// click in the middle of the program's frame, so a box with only OK is shown
// in the page (shell.html's #messages) and answers OK at once; a Yes/No
// question is the browser's own modal confirmation, which can wait.
#include <emscripten/emscripten.h>

#include "platform/web/web_backend.h"

namespace {

EM_JS(void, ShowBoxInPage, (const char *caption, const char *text, int severe), {
  var box = document.createElement("div");
  box.className = severe ? "box severe" : "box";
  var title = document.createElement("div");
  title.className = "caption";
  title.textContent = UTF8ToString(caption);
  var body = document.createElement("div");
  body.className = "text";
  body.textContent = UTF8ToString(text);
  var button = document.createElement("button");
  button.textContent = "OK";
  button.onclick = function() { box.remove(); };
  box.append(title, body, button);
  (document.getElementById("messages") || document.body).append(box);
});

EM_JS(int, AskInPage, (const char *caption, const char *text), {
  return window.confirm(UTF8ToString(caption) + "\n\n" + UTF8ToString(text)) ? 1 : 0;
});

}  // namespace

int ShowMessageBox(WindowHandle owner, const char *text, const char *caption, unsigned type) {
  (void)owner;
  if (text == nullptr) text = "";
  if (caption == nullptr) caption = "";
  if ((type & MB_TYPEMASK) == MB_YESNO) return AskInPage(caption, text) ? IDYES : IDNO;
  unsigned icon = type & MB_ICONMASK;
  ShowBoxInPage(caption, text, icon == MB_ICONSTOP || icon == MB_ICONEXCLAMATION);
  return IDOK;
}
