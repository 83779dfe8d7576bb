// ambience.h: the looping outdoor sound, wind, rustling leaves and a distant bird, periodic over its length.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int ambienceRate = 22050;
inline constexpr int ambienceSamples = 8 * ambienceRate;

// Mono 16-bit samples; sample ambienceSamples would equal sample 0 again, so
// the loop joins without a click.
std::vector<int16_t> MakeAmbience();
