// random_source.cpp: two linear congruential draws over one 64-bit state word.
#include "scene/random_source.h"

RandomState randomState = {1};

namespace {

constexpr uint32_t shortMultiplier = 22695477u;
constexpr uint64_t longMultiplier = (uint64_t)0x15A << 32 | 0x4E35;
constexpr uint64_t highHalf = 0xFFFFFFFF00000000u;

}  // namespace

int Rand15() {
  uint32_t low = (uint32_t)randomState.word * shortMultiplier + 1u;
  randomState.word = (randomState.word & highHalf) | low;
  return (int)((low >> 16) & 0x7FFF);
}

int Rand31() {
  randomState.word = randomState.word * longMultiplier + 1u;
  return (int)((randomState.word >> 32) & 0x7FFFFFFF);
}

int RandomBelow(int n) {
  if (n == 0) return 0;
  return Rand31() % n;
}
