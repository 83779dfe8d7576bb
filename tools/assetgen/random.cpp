// random.cpp: SplitMix64 streams and an integer lattice hash; plain integer arithmetic only.
#include "random.h"

namespace {

uint64_t Mix64(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

}  // namespace

RandomStream MakeRandomStream(uint64_t seed) {
  // Mixing the seed keeps streams with neighbouring seeds unrelated.
  return RandomStream{Mix64(seed + 0x9e3779b97f4a7c15ull)};
}

uint32_t NextRandom(RandomStream &stream) {
  stream.state += 0x9e3779b97f4a7c15ull;
  return (uint32_t)(Mix64(stream.state) >> 32);
}

double RandomUnit(RandomStream &stream) {
  return NextRandom(stream) * (1.0 / 4294967296.0);
}

double RandomRange(RandomStream &stream, double low, double high) {
  return low + (high - low) * RandomUnit(stream);
}

int RandomBelow(RandomStream &stream, int count) {
  return (int)(RandomUnit(stream) * count);
}

uint32_t HashLattice(int x, int y, uint32_t seed) {
  uint64_t key = ((uint64_t)(uint32_t)x << 32) | (uint32_t)y;
  return (uint32_t)(Mix64(key ^ ((uint64_t)seed * 0xd6e8feb86659fd93ull)) >> 32);
}
