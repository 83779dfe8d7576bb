// terrain.cpp: the hilly grid (a sine across rows plus a cosine along them,
// whose phase jumps at random below the diagonal) and the clump places.
#include "scene/terrain.h"

#include <cmath>

#include "scene/random_source.h"

TerrainGrid terrainGrid;
float terrainPhase = 0.0f;
float clumpOffsetA[clumpTableSize];
float clumpOffsetB[clumpTableSize];

namespace {

// The landscape is worked out in extended precision with a ten-digit pi, and
// every height comes out the same to the last float bit on every run.
constexpr long double gridStep = 0.2L;
constexpr long double perDegree = 1.0L / 360.0L;
constexpr double pi = 3.141592654;

float GridCoordinate(int index) { return (float)((index * gridStep * 24 - 4.5L - 100) * 10); }

// The row's sine term, held in double precision until it is added in.
double RowSwell(int i) { return (double)(24 * sinl(10 * i * perDegree * pi * 2)); }

// The column's cosine term depends only on the column and the phase, a whole
// number from 0 to 32, so each pair is worked out once per process: 6,633
// extended-precision cosines instead of 40,401 at every generation.
constexpr int phaseCount = 33;
long double columnWave[phaseCount][terrainGridSide];
bool columnWavesReady = false;

void PrepareColumnWaves() {
  if (columnWavesReady) return;
  for (int phase = 0; phase < phaseCount; ++phase)
    for (int j = 0; j < terrainGridSide; ++j) columnWave[phase][j] = cosl((10 * j + phase) * perDegree * pi * 3);
  columnWavesReady = true;
}

float Height(int j, double rowSwell) {
  return (float)((10 * columnWave[(int)terrainPhase][j] + rowSwell) * 10);
}

}  // namespace

void GenerateTerrain() {
  PrepareColumnWaves();
  for (int i = 0; i < terrainGridSide; ++i) {
    double rowSwell = RowSwell(i);
    for (int j = 0; j < terrainGridSide; ++j) {
      if (j < i) terrainPhase = (float)(Rand15() / 1000);
      terrainGrid.vertex[i][j] = TerrainVertex{GridCoordinate(i), GridCoordinate(j), Height(j, rowSwell)};
    }
  }
}

void PlaceClumps() {
  for (int c = 0; c < clumpTableSize; ++c) {
    clumpOffsetA[c] = (float)RandomBelow(100);
    clumpOffsetB[c] = (float)RandomBelow(100);
  }
}
