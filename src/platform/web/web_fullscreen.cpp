// web_fullscreen.cpp: the page's fullscreen as the display mode. The page
// has one display mode, the screen's own; fullscreen is the browser's
// fullscreen of the stage, the canvas's drawing buffer staying as it is.
#include <emscripten/emscripten.h>

#include "platform/core/message_queue.h"
#include "platform/web/web_backend.h"

namespace {

bool enteredFullscreen = false;  // the program asked for fullscreen and has not left it

// A browser allows fullscreen for a few seconds after the user's key or
// click (F1's, here, a frame ago); where it refuses, the program is told as
// if the page had left fullscreen. 0 where the page cannot go fullscreen.
EM_JS(int, RequestStageFullscreen, (const char *selector), {
  var stage = document.querySelector(UTF8ToString(selector));
  if (!stage || !stage.requestFullscreen || !document.fullscreenEnabled) return 0;
  stage.requestFullscreen().catch(function() { _WebFullscreenRefused(); });
  return 1;
});

EM_JS(void, ExitPageFullscreen, (), {
  if (document.fullscreenElement) document.exitFullscreen().catch(function() {});
});

}  // namespace

// The page's answer to a refused fullscreen.
extern "C" EMSCRIPTEN_KEEPALIVE void WebFullscreenRefused() { PageLeftFullscreen(); }

void LeavePageFullscreen() {
  enteredFullscreen = false;
  ExitPageFullscreen();
}

// The program still thinks it is fullscreen: the F1 that leaves it brings
// it back to its windowed mode, as if the user had pressed it.
void PageLeftFullscreen() {
  if (!enteredFullscreen) return;
  enteredFullscreen = false;
  PostKeyTap(VK_F1);
}

int ChangeDisplayMode(const DisplayMode *mode, unsigned flags) {
  if (mode == nullptr) {
    LeavePageFullscreen();
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!(flags & CDS_FULLSCREEN)) return DISP_CHANGE_FAILED;
  enteredFullscreen = RequestStageFullscreen(stageSelector) != 0;
  return enteredFullscreen ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
}
