// terrain.h: the generated landscape: the terrain height grid and the table
// of vegetation clump places, both drawn from the scene's random source.
#pragma once

inline constexpr int terrainGridSide = 201, clumpTableSize = 200;

struct TerrainVertex {
  float x, y, z;  // z is up
};

struct TerrainGrid {
  TerrainVertex vertex[terrainGridSide][terrainGridSide];  // [i along x][j along y]
};

extern TerrainGrid terrainGrid;  // program-wide; regenerated in place at every scene set-up
extern float terrainPhase;       // the height's cosine phase; 0 at start, never reset
// Whole numbers 0 to 99 placing vegetation clump k at (a, b) = (A[k], B[k]).
extern float clumpOffsetA[clumpTableSize];
extern float clumpOffsetB[clumpTableSize];

// Fills the whole grid; row i makes i draws of Rand15 for the phase.
void GenerateTerrain();
// Refills both clump tables, drawing A, B, A, B, ... from RandomBelow(100).
void PlaceClumps();
