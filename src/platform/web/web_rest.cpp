// web_rest.cpp: the page at rest. While it is hidden, or has lost its WebGL
// context, the page's entry draws no frame (the world steps once a frame,
// so it stands still) and the sound holds; when the last reason goes, both
// go on from where they were. A lost context is said over the picture, and
// window.talmir.resting says why the page rests, for the tests.
#include <emscripten/emscripten.h>

#include "platform/web/web_backend.h"

namespace {

unsigned restReasons = 0;  // PageRestReason bits

EM_JS(void, ShowRest, (int hidden, int contextLost), {
  var talmir = window.talmir = window.talmir || {};
  talmir.resting = hidden || contextLost ? (contextLost ? "context lost" : "hidden") : "";
  var notice = document.getElementById("notice");
  if (!notice) return;
  notice.textContent = contextLost ? "The browser has taken the graphics away (a GPU reset, or the page " +
    "was in the background). The flight goes on as soon as it gives them back." : "";
  notice.hidden = !contextLost;
});

}  // namespace

void SetPageRest(PageRestReason reason, bool resting) {
  bool wasResting = restReasons != 0;
  restReasons = resting ? restReasons | reason : restReasons & ~reason;
  if (wasResting != (restReasons != 0)) PauseSoundPlayback(restReasons != 0);
  ShowRest((restReasons & pageHidden) != 0, (restReasons & glContextLost) != 0);
}

bool PageIsResting() { return restReasons != 0; }
