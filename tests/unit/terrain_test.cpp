// The terrain grid and the clump places of the first generation of a run:
// the known vertices and phases, the draws a generation makes, and what a
// second generation changes.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "scene/random_source.h"
#include "scene/terrain.h"

namespace {

const TerrainVertex &Vertex(int i, int j) { return terrainGrid.vertex[i][j]; }

// A height written out from its terms (the factors 1/360 x pi x 2 and x 3
// folded by hand into pi/180 and pi/120).
float ExpectedHeight(int i, int j, double phase) {
  const double pi = 3.141592654;
  return (float)((10 * cos((10 * j + phase) * pi / 120) + 24 * sin(10 * i * pi / 180)) * 10);
}

}  // namespace

TEST(Terrain, FirstRowsOfTheFirstGeneration) {
  GenerateTerrain();
  EXPECT_EQ(Vertex(0, 0).x, -1045.0f);
  EXPECT_EQ(Vertex(0, 0).y, -1045.0f);
  EXPECT_EQ(Vertex(0, 0).z, 100.0f);
  EXPECT_EQ(Vertex(0, 1).x, -1045.0f);
  EXPECT_EQ(Vertex(0, 1).y, -997.0f);
  EXPECT_NEAR(Vertex(0, 1).z, 96.593f, 0.0005f);
  EXPECT_EQ(Vertex(1, 0).x, -997.0f);
  EXPECT_EQ(Vertex(1, 0).y, -1045.0f);
  EXPECT_NEAR(Vertex(1, 0).z, 141.676f, 0.0005f);
  EXPECT_EQ(Vertex(200, 200).x, 8555.0f);
  EXPECT_EQ(Vertex(200, 200).y, 8555.0f);
}

TEST(Terrain, PhasesBelowTheDiagonalComeFromTheShortDraws) {
  GenerateTerrain();
  // Draws 346, 130, 10982, 1090, 11656, 7117 give phases 0, 0, 10, 1, 11, 7
  // for cells [1][0], [2][0], [2][1], [3][0], [3][1], [3][2]; each row keeps
  // its last phase from the diagonal on.
  struct Cell {
    int i, j;
    double phase;
  } cells[] = {{1, 0, 0}, {1, 5, 0}, {2, 0, 0}, {2, 1, 10}, {2, 2, 10}, {2, 200, 10},
               {3, 0, 1}, {3, 1, 11}, {3, 2, 7}, {3, 3, 7},  {3, 150, 7}};
  for (const Cell &c : cells) EXPECT_EQ(Vertex(c.i, c.j).z, ExpectedHeight(c.i, c.j, c.phase)) << c.i << "," << c.j;
}

TEST(Terrain, EveryVertexLiesOnTheGridWithinTheHeightRange) {
  GenerateTerrain();
  for (int i = 0; i < terrainGridSide; ++i)
    for (int j = 0; j < terrainGridSide; ++j) {
      ASSERT_EQ(Vertex(i, j).x, 48.0f * i - 1045) << i << "," << j;
      ASSERT_EQ(Vertex(i, j).y, 48.0f * j - 1045) << i << "," << j;
      ASSERT_LE(std::fabs(Vertex(i, j).z), 340.0f) << i << "," << j;
    }
}

TEST(Terrain, AGenerationMakesOneShortDrawPerCellBelowTheDiagonal) {
  GenerateTerrain();
  uint64_t afterGrid = randomState.word;
  randomState.word = 1;
  for (int n = 0; n < 20100; ++n) Rand15();
  EXPECT_EQ(randomState.word, afterGrid);
  EXPECT_EQ(afterGrid >> 32, 0u);  // short draws never touch the high half
}

TEST(Terrain, FirstClumpPlacesOfARun) {
  GenerateTerrain();
  PlaceClumps();
  EXPECT_EQ(clumpOffsetA[0], 17.0f);
  EXPECT_EQ(clumpOffsetA[1], 62.0f);
  EXPECT_EQ(clumpOffsetA[2], 29.0f);
  EXPECT_EQ(clumpOffsetA[3], 87.0f);
  EXPECT_EQ(clumpOffsetB[0], 73.0f);
  EXPECT_EQ(clumpOffsetB[1], 33.0f);
  EXPECT_EQ(clumpOffsetB[2], 48.0f);
  EXPECT_EQ(clumpOffsetB[3], 46.0f);
  std::set<float> places;
  for (int c = 0; c < clumpTableSize; ++c) {
    for (float value : {clumpOffsetA[c], clumpOffsetB[c]}) {
      ASSERT_EQ(value, std::floor(value));
      ASSERT_GE(value, 0.0f);
      ASSERT_LE(value, 99.0f);
      places.insert(value);
    }
  }
  EXPECT_GT(places.size(), 80u);  // spread over the field, not stuck on a few values
}

TEST(Terrain, ClumpTablesTakeFourHundredLongDraws) {
  randomState.word = 77;
  PlaceClumps();
  uint64_t after = randomState.word;
  randomState.word = 77;
  for (int n = 0; n < 400; ++n) Rand31();
  EXPECT_EQ(randomState.word, after);
}

TEST(Terrain, ASecondGenerationGoesOnWithTheSequenceAndTheLastPhase) {
  GenerateTerrain();
  float lastPhase = terrainPhase;
  float firstRowBefore = Vertex(0, 5).z;
  TerrainVertex before = Vertex(10, 3);
  GenerateTerrain();
  // Row 0 draws nothing and so uses the phase the previous generation left.
  EXPECT_EQ(Vertex(0, 5).z, ExpectedHeight(0, 5, lastPhase));
  EXPECT_NE(lastPhase, 0.0f);
  EXPECT_NE(Vertex(0, 5).z, firstRowBefore);
  EXPECT_EQ(Vertex(10, 3).x, before.x);
  EXPECT_NE(Vertex(10, 3).z, before.z);
}
