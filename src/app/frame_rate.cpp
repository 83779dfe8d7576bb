// frame_rate.cpp: counts swaps and prints their rate once a second, as GL
// demos do.
#include "app/frame_rate.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point periodStart;
int framesInPeriod = -1;  // -1 until the first frame starts the first period

}  // namespace

void CountFrameForRate() {
  Clock::time_point now = Clock::now();
  if (framesInPeriod < 0) {
    periodStart = now;
    framesInPeriod = 0;
    return;
  }
  ++framesInPeriod;
  double seconds = std::chrono::duration<double>(now - periodStart).count();
  if (seconds < 1.0) return;
  std::printf("%.1f fps\n", framesInPeriod / seconds);
  std::fflush(stdout);
  periodStart = now;
  framesInPeriod = 0;
}
