// wave_writer.cpp: the canonical 44-byte RIFF/WAVE header (fmt chunk of 16 bytes) followed by the samples.
#include "wave_writer.h"

namespace {

void Put16(std::vector<uint8_t> &out, uint32_t value) {
  out.push_back((uint8_t)value);
  out.push_back((uint8_t)(value >> 8));
}

void Put32(std::vector<uint8_t> &out, uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

void PutTag(std::vector<uint8_t> &out, const char tag[5]) {
  for (int k = 0; k < 4; ++k) out.push_back((uint8_t)tag[k]);
}

}  // namespace

std::vector<uint8_t> EncodeWave(const std::vector<int16_t> &samples, int sampleRate) {
  constexpr uint32_t channels = 1, bitsPerSample = 16, blockAlign = channels * bitsPerSample / 8;
  uint32_t dataSize = (uint32_t)samples.size() * blockAlign;
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + dataSize);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, channels);
  Put32(out, (uint32_t)sampleRate);
  Put32(out, (uint32_t)sampleRate * blockAlign);
  Put16(out, blockAlign);
  Put16(out, bitsPerSample);
  PutTag(out, "data");
  Put32(out, dataSize);
  for (int16_t sample : samples) Put16(out, (uint16_t)sample);
  return out;
}
