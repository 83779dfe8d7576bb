// soak_bench.cpp: the viewer left running. The real program (its WinMain and
// its one loop) on SDL's offscreen driver with Mesa, pacing off, its picture
// cut to a small viewport so that the frames come fast, for many frames:
// resident memory after the first thousand frames against the end, and the
// view's turn a frame at the start against the end. A screensaver or a wall
// display runs for weeks; nothing may grow or drift meanwhile.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/main_loop.h"
#include "app/scene_window.h"
#include "platform/platform.h"
#include "scene/frame.h"

namespace {

const int framesToRun = 100000;
const int settledFrame = 1000;
const int pictureWidth = 160, pictureHeight = 120;
const double memoryGoalKb = 1024;   // growth after the first thousand frames
const double turnGoalShare = 1e-3;  // the last frame's turn against the first's

struct Soak {
  float clockBefore = 0.0f;  // the clock the previous frame turned by
  double firstTurn = 0, lastTurn = 0;
  long settledKb = 0, endKb = 0;
  int frames = 0;
};
Soak soak;

long ResidentKb() {
  long pages = 0, resident = 0;
  FILE *statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
  std::fclose(statm);
  return resident * 4;  // 4 KB pages
}

// The degrees the view turned between the previous frame and this one, as
// the frames' own yaw calls (the clock times 4, in single precision) give it.
double TurnSincePrevious() {
  double turn = std::remainder((double)(sceneClock * 4.0f) - (double)(soak.clockBefore * 4.0f), 360.0);
  soak.clockBefore = sceneClock;
  return turn;
}

// After every swap: the frame is finished (an offscreen swap waits for
// nothing), measured where asked, and the loop ended after the last.
void AfterFrame(int swapNumber) {
  glFinish();
  soak.frames = swapNumber;
  double turn = TurnSincePrevious();
  if (swapNumber == 1) ResizeScene(pictureWidth, pictureHeight);
  if (swapNumber == 2) soak.firstTurn = turn;
  if (swapNumber == settledFrame) soak.settledKb = ResidentKb();
  if (swapNumber < framesToRun) return;
  soak.lastTurn = turn;
  soak.endKb = ResidentKb();
  PostQuitMessage(0);
}

}  // namespace

int main() {
  RequestOffscreenRendering();
  std::error_code error;
  std::filesystem::current_path(std::string(TALMIR_BENCH_BUILD_DIR) + "/run", error);
  if (error) {
    std::fprintf(stderr, "soak_bench: no run folder in %s\n", TALMIR_BENCH_BUILD_DIR);
    return 1;
  }
  launchOptions.windowed = 1;
  SetSwapPacing(0);
  SetSwapHook(AfterFrame);
  WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW);
  ShutdownPlatform();
  if (soak.frames < framesToRun) {
    std::fprintf(stderr, "soak_bench: the viewer ended after %d of %d frames\n", soak.frames, framesToRun);
    return 1;
  }
  double growthKb = (double)(soak.endKb - soak.settledKb);
  double turnShare = std::fabs(soak.lastTurn - soak.firstTurn) / soak.firstTurn;
  std::printf("soak, %d frames of the real scene, %dx%d, offscreen Mesa, pacing off:\n", framesToRun, pictureWidth,
              pictureHeight);
  std::printf("  resident memory after %d frames %8.1f MB, at the end %8.1f MB: %+.0f KB (goal within %.0f KB: %s)\n",
              settledFrame, soak.settledKb / 1024.0, soak.endKb / 1024.0, growthKb, memoryGoalKb,
              std::fabs(growthKb) <= memoryGoalKb ? "met" : "MISSED");
  std::printf("  turn a frame: first %.6f degrees, last %.6f degrees (goal within %.1f %%: %s)\n", soak.firstTurn,
              soak.lastTurn, 100 * turnGoalShare, turnShare <= turnGoalShare ? "met" : "MISSED");
  return 0;
}
