// web_entry.cpp: the page's entry. The viewer's one loop runs a pass at a
// time from the browser's frame callback: messages until a pass draws a
// frame, which the browser then shows. The page starts windowed (a page may
// go fullscreen only when the user asks, with F1), and reports its frames
// to the page (window.talmir) for the tests and the benchmark.
//
// The world steps once a frame, so on a display faster than 60 Hz the page
// draws on every n-th of the browser's calls (swap_pacing.h).
//
// While the page rests (hidden, or its WebGL context lost: web_rest.cpp)
// the browser's frame callbacks pass without a pass of the loop, so the
// world, which steps once a frame, waits with the picture.
//
// The page's address may ask: ?frames=N stops drawing after frame N, whose
// picture then stays on the canvas (the tests compare it); ?pacing=off
// draws on every one of the browser's calls, as the desktop's tools run
// unpaced (the benchmark measures how fast the page can draw, not the
// display's rate).
#include <GL/gl.h>
#include <emscripten/emscripten.h>

#include <cstdint>

#include "app/main_loop.h"
#include "platform/core/swap_pacing.h"
#include "platform/web/web_backend.h"

namespace {

int framesToDraw = 0;  // 0: no end
// 64 bits: an int would overflow after about a hundred days at 240 frames
// a second, and its first frame would come round again.
int64_t framesDrawn = 0;

EM_JS(int, FramesAsked, (), {
  var value = new URLSearchParams(location.search).get("frames");
  return value ? Math.max(0, parseInt(value, 10) || 0) : 0;
});

EM_JS(int, PacingAsked, (), {
  return new URLSearchParams(location.search).get("pacing") != "off";
});

// window.talmir: frames drawn, the page's clock (ms since it began to load)
// at the first and the latest frame, and whether drawing has stopped. What
// the page leaves until the first frame is shown (talmir.onFirstFrame, see
// shell.html) starts once it is.
EM_JS(void, ReportFrame, (double frames), {
  var now = performance.now();
  var talmir = window.talmir = window.talmir || {};
  talmir.frames = frames;
  talmir.lastFrameMs = now;
  if (frames != 1) return;
  talmir.firstFrameMs = now;
  if (typeof talmir.onFirstFrame == "function") setTimeout(talmir.onFirstFrame, 0);
});

EM_JS(void, ReportStopped, (int loopEnded), {
  var talmir = window.talmir = window.talmir || {};
  talmir.stopped = true;
  if (!loopEnded) return;
  talmir.ended = true;
  var status = document.getElementById("status");
  if (status && !talmir.failed) status.textContent = "Talmir has stopped. Reload the page to start it again.";
});

void Stop(bool loopEnded) {
  emscripten_cancel_main_loop();
  ReportStopped(loopEnded ? 1 : 0);
}

// The first frame is finished before it is counted, so its time is when it
// was drawn, not when it was asked for.
void CountFrame() {
  if (++framesDrawn == 1) glFinish();
  ReportFrame((double)framesDrawn);
  if (framesToDraw != 0 && framesDrawn >= framesToDraw) Stop(false);
}

void RunBrowserFrame() {
  if (PageIsResting()) return;
  if (!TakeAnimationFrame(emscripten_get_now())) return;
  PassOutcome outcome;
  do outcome = RunMainLoopPass();
  while (outcome == passTookMessage);
  if (outcome == loopEnded) {
    Stop(true);
    return;
  }
  CountFrame();
}

}  // namespace

int main() {
  framesToDraw = FramesAsked();
  SetSwapPacing(PacingAsked());
  launchOptions.windowed = 1;
  // A failed start has shown its box in the page already.
  if (!BeginMainLoop()) {
    ReportStopped(1);
    return 0;
  }
  emscripten_set_main_loop(RunBrowserFrame, 0, 0);
  return 0;
}
