// frame_bench.cpp: the real frame (talmir-frames on SDL's offscreen driver,
// Mesa, 1024x768, pacing off) against glretrace replaying a trace of the very
// same frames, start-up to the first finished frame against a minimal SDL GL
// program, and peak memory. Every figure is a median of runs taken in turns
// in this one run, and reported as a ratio to its peer.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const int framesPerRun = 200;
const int frameRounds = 3;
const int startRuns = 7;
const double frameGoal = 1.1, startGoal = 1.5;

const std::string buildDir = TALMIR_BENCH_BUILD_DIR;
const std::string framesTool = buildDir + "/talmir-frames";
const std::string runDir = buildDir + "/run";
const std::string minimalStart = buildDir + "/minimal_gl_start";

struct Run {
  int status = -1;
  double startClock = 0, wallSeconds = 0;
  long peakKb = 0;
  std::string output;
};

double MonotonicSeconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

// Runs a program with extra environment, its standard output captured and
// its standard error discarded; wall time and peak resident memory from the
// kernel's own accounting of the child.
Run RunProgram(const std::vector<std::string> &arguments, const std::vector<std::string> &environment = {}) {
  Run run;
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return run;
  run.startClock = MonotonicSeconds();
  pid_t child = fork();
  if (child == 0) {
    for (const std::string &setting : environment) putenv(const_cast<char *>(setting.c_str()));
    dup2(pipeEnds[1], 1);
    int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, 2);
    close(pipeEnds[0]);
    std::vector<char *> argv;
    for (const std::string &a : arguments) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(pipeEnds[1]);
  char buffer[4096];
  ssize_t got;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, (size_t)got);
  close(pipeEnds[0]);
  int status = 0;
  rusage usage = {};
  wait4(child, &status, 0, &usage);
  run.wallSeconds = MonotonicSeconds() - run.startClock;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKb = usage.ru_maxrss;
  return run;
}

// The number after "name " (or after "name of " for glretrace's fps), or -1.
double Field(const std::string &text, const std::string &name) {
  size_t at = text.find(name + " ");
  if (at == std::string::npos) return -1;
  return std::atof(text.c_str() + at + name.size() + 1);
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool Have(const char *program) { return std::system((std::string("command -v ") + program + " > /dev/null").c_str()) == 0; }

std::vector<std::string> FramesRun(const std::string &outDir, int count) {
  return {framesTool, "--run-dir", runDir, "--out", outDir, "--count", std::to_string(count), "--stats"};
}

const char *Verdict(double ratio, double goal) { return ratio <= goal ? "met" : "MISSED"; }

struct FrameFigures {
  double oursFps = -1, replayFps = -1;
  long oursPeakKb = 0, replayPeakKb = 0;
};

// Our frames and the replay of their trace, in turns.
FrameFigures MeasureFrames(const fs::path &work) {
  FrameFigures f;
  std::string trace = (work / "frames.trace").string();
  bool replay = Have("apitrace") && Have("eglretrace");
  if (replay) {
    std::vector<std::string> record = {"apitrace", "trace", "--api", "egl", "-o", trace};
    for (const std::string &a : FramesRun(work.string(), framesPerRun)) record.push_back(a);
    replay = RunProgram(record).status == 0 && fs::exists(trace);
  }
  std::vector<double> ours, replays;
  for (int round = 0; round < frameRounds; ++round) {
    Run run = RunProgram(FramesRun(work.string(), framesPerRun));
    if (run.status == 0) ours.push_back(Field(run.output, "fps"));
    f.oursPeakKb = std::max(f.oursPeakKb, run.peakKb);
    if (!replay) continue;
    // glretrace's own window system layer, waffle, without a display.
    Run again = RunProgram({"eglretrace", "--benchmark", "--headless", trace}, {"WAFFLE_PLATFORM=surfaceless_egl"});
    if (again.status == 0) replays.push_back(Field(again.output, "average of"));
    f.replayPeakKb = std::max(f.replayPeakKb, again.peakKb);
  }
  f.oursFps = Median(ours);
  f.replayFps = Median(replays);
  return f;
}

struct StartFigures {
  double oursSeconds = -1, minimalSeconds = -1;
  long minimalPeakKb = 0;
};

// From the fork to the first frame presented and finished, both programs
// reading the same system clock.
StartFigures MeasureStart(const fs::path &work) {
  StartFigures s;
  std::vector<double> ours, minimal;
  for (int n = 0; n < startRuns; ++n) {
    Run peer = RunProgram({minimalStart});
    if (peer.status == 0) minimal.push_back(Field(peer.output, "first-frame-clock") - peer.startClock);
    s.minimalPeakKb = std::max(s.minimalPeakKb, peer.peakKb);
    Run run = RunProgram(FramesRun(work.string(), 1));
    if (run.status == 0) ours.push_back(Field(run.output, "first-frame-clock") - run.startClock);
  }
  s.oursSeconds = Median(ours);
  s.minimalSeconds = Median(minimal);
  return s;
}

void ReportFrames(const FrameFigures &f) {
  std::printf("frame, 1024x768, offscreen Mesa, pacing off, %d frames a run, median of %d runs:\n", framesPerRun,
              frameRounds);
  std::printf("  talmir-frames          %8.2f fps  %7.2f ms a frame\n", f.oursFps, 1000 / f.oursFps);
  if (f.replayFps <= 0) {
    std::printf("  glretrace replay       skipped (apitrace or eglretrace missing, or the trace failed)\n");
    return;
  }
  std::printf("  glretrace replay       %8.2f fps  %7.2f ms a frame (same calls, from the trace)\n", f.replayFps,
              1000 / f.replayFps);
  double ratio = f.replayFps / f.oursFps;
  std::printf("  our frame time / replay frame time: %.2f (goal <= %.1f: %s)\n", ratio, frameGoal,
              Verdict(ratio, frameGoal));
}

void ReportStart(const StartFigures &s) {
  std::printf("start to the first finished frame, median of %d runs each:\n", startRuns);
  std::printf("  talmir-frames          %8.1f ms (window, textures, font, terrain, sound, one full frame)\n",
              1000 * s.oursSeconds);
  std::printf("  minimal SDL GL program %8.1f ms (window, context, clear, swap)\n", 1000 * s.minimalSeconds);
  double ratio = s.oursSeconds / s.minimalSeconds;
  std::printf("  ratio: %.2f (goal <= %.1f: %s)\n", ratio, startGoal, Verdict(ratio, startGoal));
}

}  // namespace

int main() {
  fs::path work = fs::temp_directory_path() / ("talmir-frame-bench-" + std::to_string(getpid()));
  fs::create_directories(work);
  FrameFigures frames = MeasureFrames(work);
  StartFigures start = MeasureStart(work);
  fs::remove_all(work);
  if (frames.oursFps <= 0 || start.oursSeconds <= 0 || start.minimalSeconds <= 0) {
    std::fprintf(stderr, "frame_bench: talmir-frames or minimal_gl_start did not run\n");
    return 1;
  }
  ReportFrames(frames);
  ReportStart(start);
  std::printf("peak memory (resident):\n");
  std::printf("  talmir-frames, %d frames %8.1f MB\n", framesPerRun, frames.oursPeakKb / 1024.0);
  if (frames.replayPeakKb > 0) std::printf("  glretrace replay        %8.1f MB\n", frames.replayPeakKb / 1024.0);
  std::printf("  minimal SDL GL program  %8.1f MB (ratio %.2f)\n", start.minimalPeakKb / 1024.0,
              (double)frames.oursPeakKb / (double)start.minimalPeakKb);
  return 0;
}
