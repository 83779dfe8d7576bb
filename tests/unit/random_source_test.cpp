// The scene's random source: the first draws of a run, which half of the
// state each draw steps, and RandomBelow's remainder and its zero case.
#include <gtest/gtest.h>

#include <vector>

#include "scene/random_source.h"

TEST(RandomSource, FirstShortDrawsOfARun) {
  std::vector<int> draws;
  for (int i = 0; i < 6; ++i) draws.push_back(Rand15());
  EXPECT_EQ(draws, (std::vector<int>{346, 130, 10982, 1090, 11656, 7117}));
}

TEST(RandomSource, ShortDrawStepsOnlyTheLowHalf) {
  randomState.word = 0xDEADBEEF00000001u;
  EXPECT_EQ(Rand15(), 346);  // the high half takes no part in the result
  EXPECT_EQ(randomState.word >> 32, 0xDEADBEEFu);
  EXPECT_EQ((uint32_t)randomState.word, 22695478u);
  // The low half wraps modulo 2^32 and the result is bits 16 to 30.
  randomState.word = 0xFFFFFFFFu;
  int draw = Rand15();
  uint32_t low = 0xFFFFFFFFu * 22695477u + 1u;
  EXPECT_EQ((uint32_t)randomState.word, low);
  EXPECT_EQ(randomState.word >> 32, 0u);
  EXPECT_EQ(draw, (int)((low >> 16) & 0x7FFF));
}

// The long step by schoolbook multiplication in 32-bit halves, so the test
// does not share the code's formula.
uint64_t LongStep(uint64_t state) {
  uint64_t low = state & 0xFFFFFFFFu, high = state >> 32;
  uint64_t product = low * 0x4E35u;                       // low x low
  uint64_t cross = (high * 0x4E35u + low * 0x15Au) << 32;  // the cross terms; high x high falls off
  return product + cross + 1;
}

TEST(RandomSource, LongDrawStepsAllSixtyFourBitsAndClearsTheTopBit) {
  uint64_t expected = 0x123456789ABCDEF0u;
  randomState.word = expected;
  for (int i = 0; i < 1000; ++i) {
    expected = LongStep(expected);
    int draw = Rand31();
    ASSERT_EQ(randomState.word, expected) << "draw " << i;
    ASSERT_EQ(draw, (int)((expected >> 32) & 0x7FFFFFFF));
    ASSERT_GE(draw, 0);
  }
}

TEST(RandomSource, RandomBelowIsTheSignedRemainderOfALongDraw) {
  randomState.word = 0x0000000100000000u;
  uint64_t before = randomState.word;
  int plain = Rand31();
  randomState.word = before;
  EXPECT_EQ(RandomBelow(100), plain % 100);
  randomState.word = before;
  EXPECT_EQ(RandomBelow(-7), plain % 7);  // a negative n still gives 0 to |n| - 1
  for (int i = 0; i < 2000; ++i) {
    int r = RandomBelow(4);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 4);
  }
}

TEST(RandomSource, RandomBelowZeroIsZeroWithoutADraw) {
  randomState.word = 0x0123456789ABCDEFu;
  EXPECT_EQ(RandomBelow(0), 0);
  EXPECT_EQ(randomState.word, 0x0123456789ABCDEFu);
}
