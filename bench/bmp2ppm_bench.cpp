// bmp2ppm_bench.cpp: bmp2ppm as a whole process against peer programs that do the same job, timed in the same run.
// The peers: a minimal C program on a 2x2 file, stb_image and SDL as whole programs on 2048x2048 files.
// Each run is a fork and exec of the program with the bitmap as its argument and its standard output on /dev/null;
// the contenders take turns run by run, and each figure is the median over the runs, given as a ratio to its peer
// measured in the same turns.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fixtures/bench_pictures.h"

namespace {

const std::string buildDir = TALMIR_BENCH_BUILD_DIR;
const int tinyRuns = 301;
const int largeRuns = 31;
const double tinyGoal = 1.5;   // bmp2ppm's time over the minimal C program's, at most
const double largeGoal = 0.7;  // bmp2ppm's time over the faster of stb2ppm and sdl2ppm, at most

enum Contender { ours, minimalC, stb, sdl, contenderCount };
const char *const programNames[contenderCount] = {"bmp2ppm", "bgr2ppm", "stb2ppm", "sdl2ppm"};

struct Sample {
  double processor;  // user and system time of the child, from its fork to its exit
  double wall;       // from before the fork to after the wait
};

double MonotonicSeconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

double Seconds(const timeval &t) { return (double)t.tv_sec + (double)t.tv_usec * 1e-6; }

// Runs the program on the file with standard output on outputPath and standard
// error on /dev/null; false when it does not end with status 0.
bool RunProgram(Contender contender, const std::string &input, const char *outputPath, Sample *sample) {
  std::string program = buildDir + "/" + programNames[contender];
  double start = MonotonicSeconds();
  pid_t child = fork();
  if (child == 0) {
    int output = open(outputPath, O_WRONLY | O_CREAT | O_TRUNC, 0644), quiet = open("/dev/null", O_WRONLY);
    if (output < 0 || quiet < 0) _exit(126);
    dup2(output, 1);
    dup2(quiet, 2);
    execl(program.c_str(), program.c_str(), input.c_str(), (char *)nullptr);
    _exit(127);
  }
  int status = 0;
  rusage usage = {};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return false;
  sample->wall = MonotonicSeconds() - start;
  sample->processor = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool ReadWhole(const std::string &path, Bytes *bytes) {
  FILE *file = fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes->clear();
  unsigned char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes->insert(bytes->end(), buffer, buffer + got);
  fclose(file);
  return true;
}

// Every peer must write the very same PPM, or the race is not the same work.
bool SameOutputs(const std::string &input, const std::string &folder, const std::vector<Contender> &contenders) {
  Bytes ours, theirs;
  std::string output = folder + "/out.ppm";
  Sample ignored;
  if (!RunProgram(contenders[0], input, output.c_str(), &ignored) || !ReadWhole(output, &ours)) {
    fprintf(stderr, "%s fails on %s\n", programNames[contenders[0]], input.c_str());
    return false;
  }
  for (size_t c = 1; c < contenders.size(); ++c) {
    if (!RunProgram(contenders[c], input, output.c_str(), &ignored) || !ReadWhole(output, &theirs) || theirs != ours) {
      fprintf(stderr, "%s writes a different PPM from %s for %s\n", programNames[contenders[c]],
              programNames[contenders[0]], input.c_str());
      return false;
    }
  }
  unlink(output.c_str());
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Medians {
  double processor[contenderCount] = {};
  double wall[contenderCount] = {};
};

// The contenders take turns, so a slow spell of the machine falls on all of them alike.
bool Race(const std::string &input, const std::vector<Contender> &contenders, int runs, Medians *medians) {
  std::vector<double> processor[contenderCount], wall[contenderCount];
  for (int run = 0; run < runs; ++run) {
    for (Contender c : contenders) {
      Sample sample;
      if (!RunProgram(c, input, "/dev/null", &sample)) return false;
      processor[c].push_back(sample.processor);
      wall[c].push_back(sample.wall);
    }
  }
  for (Contender c : contenders) {
    medians->processor[c] = Median(processor[c]);
    medians->wall[c] = Median(wall[c]);
  }
  return true;
}

std::string Milliseconds(const Medians &m, Contender c) {
  if (m.processor[c] <= 0) return "-";
  char text[32];
  snprintf(text, sizeof text, "%.2f/%.2f", 1000 * m.processor[c], 1000 * m.wall[c]);
  return text;
}

// The ratio on processor time and on wall time; the goal holds when both meet it.
bool PrintRow(const char *name, const Medians &m, Contender peer, double goal) {
  double processorRatio = m.processor[ours] / m.processor[peer], wallRatio = m.wall[ours] / m.wall[peer];
  bool met = processorRatio <= goal && wallRatio <= goal;
  printf("%-12s %12s %12s %12s %12s   %5.2fx %5.2fx  vs %-8s (goal <= %.1fx: %s)\n", name,
         Milliseconds(m, ours).c_str(), Milliseconds(m, minimalC).c_str(), Milliseconds(m, stb).c_str(),
         Milliseconds(m, sdl).c_str(), processorRatio, wallRatio, programNames[peer], goal, met ? "met" : "MISSED");
  return met;
}

// What the program loads at its start: the lines ldd prints for it.
int SharedObjects(Contender contender) {
  std::string command = "ldd " + buildDir + "/" + programNames[contender] + " 2> /dev/null";
  FILE *pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  int lines = 0;
  for (int c; (c = fgetc(pipe)) != EOF;) lines += c == '\n';
  return pclose(pipe) == 0 ? lines : -1;
}

// The faster of stb2ppm and sdl2ppm by processor time, where stb_image reads the form.
Contender BestPeer(const Medians &m, bool stbReads) {
  return stbReads && m.processor[stb] < m.processor[sdl] ? stb : sdl;
}

}  // namespace

int main() {
  const char *tmp = getenv("TMPDIR");
  std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/talmir-bmp2ppm-bench-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) return 1;
  std::string input = folder + "/picture.bmp";
  printf("bmp2ppm and its peers as whole processes (fork, exec, exit), standard output on /dev/null; per program the\n"
         "median processor time (user + system of the child) / median wall time in ms, over %d runs (2x2 file) or\n"
         "%d runs (2048x2048 files) taken in turns; ratios are bmp2ppm's time over the peer's, processor then wall\n",
         tinyRuns, largeRuns);
  printf("%-12s %12s %12s %12s %12s   %13s\n", "file", "bmp2ppm", "bgr2ppm", "stb2ppm", "sdl2ppm", "ratios");
  bool allMet = true, allSame = true;
  BenchPicture tiny = MakeTinyPicture();
  std::vector<Contender> tinyContenders = {ours, minimalC, stb, sdl};
  Medians medians;
  if (!WriteFileBytes(input, tiny.file)) return 1;
  allSame = SameOutputs(input, folder, tinyContenders);
  if (allSame) {
    if (!Race(input, tinyContenders, tinyRuns, &medians)) return 1;
    allMet = PrintRow(tiny.name, medians, minimalC, tinyGoal);
  }
  for (const BenchPicture &picture : MakeBenchPictures()) {
    std::vector<Contender> contenders = {ours, sdl};
    if (picture.stbReads) contenders.push_back(stb);
    medians = Medians();
    if (!WriteFileBytes(input, picture.file)) return 1;
    if (!SameOutputs(input, folder, contenders)) {
      allSame = false;
      continue;
    }
    if (!Race(input, contenders, largeRuns, &medians)) return 1;
    allMet = PrintRow(picture.name, medians, BestPeer(medians, picture.stbReads), largeGoal) && allMet;
  }
  unlink(input.c_str());
  rmdir(folder.c_str());
  printf("shared objects at start (ldd lines):");
  for (int c = 0; c < contenderCount; ++c)
    printf(" %s %d%s", programNames[c], SharedObjects((Contender)c), c + 1 < contenderCount ? "," : "\n");
  printf("goals (2x2 within %.1fx of the minimal C program; 2048x2048 at most %.1fx the best of stb_image and SDL, on "
         "processor and wall time): %s\n",
         tinyGoal, largeGoal, allMet && allSame ? "met on every file" : "MISSED");
  return allSame ? 0 : 1;
}
