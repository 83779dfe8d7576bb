// sound_check.cpp: checks what SDL's disk audio driver wrote against the wave
// file it played: after any silence the device put out before playback
// began, the output must be the file's samples from their first byte on,
// looped without a break or a restart, and long enough to have looped.
// Usage: sound_check SOUND.wav OUTPUT.raw
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ReadFile(const char *path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le32(const unsigned char *p) { return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24; }

// The bytes of the "data" chunk, or none.
std::vector<unsigned char> WaveSamples(const std::vector<unsigned char> &wave) {
  if (wave.size() < 12 || std::memcmp(wave.data(), "RIFF", 4) != 0) return {};
  for (size_t at = 12; at + 8 <= wave.size();) {
    uint32_t size = Le32(&wave[at + 4]);
    if (std::memcmp(&wave[at], "data", 4) == 0 && at + 8 + size <= wave.size())
      return std::vector<unsigned char>(wave.begin() + (long)at + 8, wave.begin() + (long)(at + 8 + size));
    at += 8 + size + (size & 1);
  }
  return {};
}

int Fail(const std::string &why) {
  std::fprintf(stderr, "sound_check: %s\n", why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) return Fail("usage: sound_check SOUND.wav OUTPUT.raw");
  std::vector<unsigned char> samples = WaveSamples(ReadFile(argv[1]));
  std::vector<unsigned char> output = ReadFile(argv[2]);
  if (samples.size() < 64) return Fail("no samples in the wave file");
  // Playback starts where the first 64 sample bytes first appear.
  size_t start = 0;
  while (start + 64 <= output.size() && std::memcmp(&output[start], samples.data(), 64) != 0) ++start;
  if (start + 64 > output.size()) return Fail("the output never starts the sound");
  for (size_t i = 0; i < start; ++i)
    if (output[i] != output[0]) return Fail("the output before the sound is not silence");
  size_t played = output.size() - start;
  for (size_t i = 0; i < played; ++i)
    if (output[start + i] != samples[i % samples.size()])
      return Fail("the sound breaks off or restarts at byte " + std::to_string(i) + " of the playback");
  if (played < samples.size() + samples.size() / 4) return Fail("the output ends before the sound looped");
  std::printf("sound_check: %zu bytes played, %.2f times the sound, after %zu bytes of silence\n", played,
              (double)played / (double)samples.size(), start);
  return 0;
}
