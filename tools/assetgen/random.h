// random.h: the asset generator's own deterministic random numbers, the same on every build and library.
#pragma once

#include <cstdint>

// One independent stream of pseudo-random numbers (SplitMix64).
struct RandomStream {
  uint64_t state;
};

RandomStream MakeRandomStream(uint64_t seed);
uint32_t NextRandom(RandomStream &stream);
// Uniform in [0, 1).
double RandomUnit(RandomStream &stream);
// Uniform in [low, high).
double RandomRange(RandomStream &stream, double low, double high);
// Integer in 0 .. count - 1.
int RandomBelow(RandomStream &stream, int count);

// A well-mixed 32-bit value for a lattice point, for noise that needs no state.
uint32_t HashLattice(int x, int y, uint32_t seed);
