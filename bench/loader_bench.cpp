// loader_bench.cpp: decoding speed of the bitmap loader against stb_image and SDL2 on 2048x2048 files, and against a memcpy of the output.
#include <SDL2/SDL.h>
#include <stb/stb_image.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/bitmap_loader.h"
#include "fixtures/bench_pictures.h"

namespace {

const int32_t side = benchSide;
const size_t outputBytes = (size_t)side * side * 3;
const int warmUps = 3;
const int repetitions = 15;
const double batchSeconds = 0.05;  // each timed batch runs at least this long

// One decoding of a file to packed RGB: the picture, top row first, for the
// cross-check, or just its size when copy is null. 0 on failure.
typedef size_t (*Decoder)(const char *path, Bytes *copy);

size_t DecodeTalmir(const char *path, Bytes *copy) {
  RgbImage *image = LoadBitmapFile(path);
  if (image == nullptr) return 0;
  size_t rowBytes = (size_t)image->width * 3, bytes = rowBytes * image->height;
  if (copy != nullptr) {
    copy->clear();
    for (int32_t row = image->height - 1; row >= 0; --row)
      copy->insert(copy->end(), image->pixels + row * rowBytes, image->pixels + (row + 1) * rowBytes);
  }
  free(image->pixels);
  free(image);
  return bytes;
}

size_t DecodeStb(const char *path, Bytes *copy) {
  int width, height, channels;
  unsigned char *pixels = stbi_load(path, &width, &height, &channels, 3);
  if (pixels == nullptr) return 0;
  size_t bytes = (size_t)width * height * 3;
  if (copy != nullptr) copy->assign(pixels, pixels + bytes);
  stbi_image_free(pixels);
  return bytes;
}

size_t DecodeSdl(const char *path, Bytes *copy) {
  SDL_Surface *loaded = SDL_LoadBMP(path);
  if (loaded == nullptr) return 0;
  SDL_Surface *rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(loaded);
  if (rgb == nullptr) return 0;
  size_t rowBytes = (size_t)rgb->w * 3, bytes = rowBytes * rgb->h;
  if (copy != nullptr) {
    copy->clear();
    for (int row = 0; row < rgb->h; ++row) {
      const unsigned char *start = (const unsigned char *)rgb->pixels + (size_t)row * rgb->pitch;
      copy->insert(copy->end(), start, start + rowBytes);
    }
  }
  SDL_FreeSurface(rgb);
  return bytes;
}

// The floor: copying the output's size between two buffers already in use.
std::vector<unsigned char> copySource(outputBytes, 1), copyTarget(outputBytes, 0);
size_t CopyOutputSize(const char *, Bytes *) {
  memcpy(copyTarget.data(), copySource.data(), outputBytes);
  return copyTarget[outputBytes / 2] + outputBytes - 1;  // reads the target so the copy stays
}

struct Contender {
  const char *name;
  Decoder decode;
};

const Contender contenders[] = {
    {"talmir", DecodeTalmir}, {"stb_image", DecodeStb}, {"SDL2", DecodeSdl}, {"memcpy", CopyOutputSize}};
enum { talmirLoader, stbPeer, sdlPeer, copyFloor, contenderCount };

// The processor time of this thread, kernel time (page faults) included. On
// a shared machine wall time also counts the turns of other programs.
double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

// Times each decoding of a batch on its own, so that the median leaves out
// decodings whose caches another program has just cleared.
void TimeBatch(Decoder decode, const char *path, int iterations, std::vector<double> *samples) {
  for (int i = 0; i < iterations; ++i) {
    double start = ThreadSeconds();
    if (decode(path, nullptr) != outputBytes) abort();
    samples->push_back(ThreadSeconds() - start);
  }
}

// Median seconds per decoding. The contenders take turns batch by batch, so
// a slow spell of the machine falls on all of them alike.
void MeasureFormat(const char *path, bool stbReads, double median[contenderCount]) {
  int iterations[contenderCount];
  std::vector<double> samples[contenderCount];
  for (int c = 0; c < contenderCount; ++c) {
    if (c == stbPeer && !stbReads) continue;
    std::vector<double> warmUp;
    TimeBatch(contenders[c].decode, path, warmUps, &warmUp);
    iterations[c] = std::max(1, (int)(batchSeconds / warmUp.back()));
  }
  for (int r = 0; r < repetitions; ++r)
    for (int c = 0; c < contenderCount; ++c)
      if (c != stbPeer || stbReads) TimeBatch(contenders[c].decode, path, iterations[c], &samples[c]);
  for (int c = 0; c < contenderCount; ++c) {
    median[c] = 0;
    if (samples[c].empty()) continue;
    std::sort(samples[c].begin(), samples[c].end());
    median[c] = samples[c][samples[c].size() / 2];
  }
}

// Every peer must give the same pixels, or the race is not the same work.
bool SamePictures(const char *path, bool stbReads, const char *format) {
  Bytes ours, theirs;
  if (DecodeTalmir(path, &ours) != outputBytes) return false;
  for (int c : {stbPeer, sdlPeer}) {
    if (c == stbPeer && !stbReads) continue;
    if (contenders[c].decode(path, &theirs) != outputBytes || theirs != ours) {
      fprintf(stderr, "%s: %s decodes %s differently\n", path, contenders[c].name, format);
      return false;
    }
  }
  return true;
}

double MegabytesPerSecond(double seconds) { return seconds > 0 ? outputBytes / seconds / 1e6 : 0; }

bool PrintRow(const char *format, const double median[contenderCount]) {
  double best = std::max(MegabytesPerSecond(median[stbPeer]), MegabytesPerSecond(median[sdlPeer]));
  double ours = MegabytesPerSecond(median[talmirLoader]);
  double toBest = ours / best, toCopy = median[talmirLoader] / median[copyFloor];
  char stb[16] = "-";
  if (median[stbPeer] > 0) snprintf(stb, sizeof stb, "%.0f", MegabytesPerSecond(median[stbPeer]));
  printf("%-12s %10.0f %10s %10.0f %10.0f %12.2fx %12.2fx\n", format, ours, stb, MegabytesPerSecond(median[sdlPeer]),
         MegabytesPerSecond(median[copyFloor]), toBest, toCopy);
  return toBest > 1 && toCopy <= 2;
}

}  // namespace

int main() {
  showLoaderErrors = false;
  const char *tmp = getenv("TMPDIR");
  std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/talmir-bench-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) return 1;
  printf("Decoding %dx%d bitmaps to packed RGB (%zu bytes): MB/s of output per second of processor time,\n"
         "median of single decodings over %d turns of >= %.0f ms each, after %d warm-up decodings\n",
         side, side, outputBytes, repetitions, batchSeconds * 1000, warmUps);
  printf("%-12s %10s %10s %10s %10s %13s %13s\n", "format", "talmir", "stb_image", "SDL2", "memcpy", "vs best peer",
         "time/memcpy");
  bool allMet = true, allSame = true;
  for (const BenchPicture &format : MakeBenchPictures()) {
    std::string path = folder + "/picture.bmp";
    if (!WriteFileBytes(path, format.file)) return 1;
    if (!SamePictures(path.c_str(), format.stbReads, format.name)) allSame = false;
    double median[contenderCount];
    MeasureFormat(path.c_str(), format.stbReads, median);
    allMet = PrintRow(format.name, median) && allMet;
    unlink(path.c_str());
  }
  rmdir(folder.c_str());
  printf("goal (ahead of the best peer, within 2x of memcpy): %s\n", allMet ? "met on every format" : "MISSED");
  return allSame ? 0 : 1;
}
