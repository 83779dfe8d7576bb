// wave_writer.h: encodes 16-bit mono PCM samples as a RIFF WAVE file.
#pragma once

#include <cstdint>
#include <vector>

std::vector<uint8_t> EncodeWave(const std::vector<int16_t> &samples, int sampleRate);
