// Whole frames of the real scene, made by build/talmir-frames (the offscreen
// driver, the viewer's own 16-bit colour) and compared with the pictures
// kept in tests/golden/. On a mismatch the frame, the golden picture and a
// picture of the difference go to BUILD/golden-failures/.
//
// Tolerance: the goldens are made with Mesa's llvmpipe, which renders them
// bit for bit the same on every run; the frames are held to the tolerance of
// the same driver (support/frame_tolerance.h), room for rounding in another
// build of it, not for another picture.
//
// Regenerate on purpose only, after looking at the new pictures:
//   TALMIR_UPDATE_GOLDENS=1 ctest --test-dir build -R GoldenFrames
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "frame_tool.h"
#include "support/frame_tolerance.h"
#include "support/image_compare.h"

namespace {

void ExpectGolden(const GoldenFrame &golden) {
  TestImage actual = RenderFrame("talmir-frames", golden);
  ASSERT_EQ(actual.width, 1024) << "no frame " << golden.frame << " from talmir-frames " << golden.arguments;
  std::string goldenPath = GoldenPath(golden).string();
  if (std::getenv("TALMIR_UPDATE_GOLDENS")) {
    ASSERT_TRUE(SavePng(goldenPath, actual));
    GTEST_SKIP() << "golden picture written: " << goldenPath;
  }
  TestImage expected = LoadPng(goldenPath);
  ImageDifference d = CompareImages(actual, expected);
  bool close = WithinTolerance(d, sameDriver);
  EXPECT_TRUE(close) << golden.name << " by " << sameDriver.what << ": " << DescribeDifference(d, sameDriver);
  if (!close) KeepForLooking(golden.name, actual, expected);
}

}  // namespace

TEST(GoldenFrames, FirstFrameWithoutInput) { ExpectGolden(firstFrame); }

TEST(GoldenFrames, TwoHundredthFrameWithoutInput) { ExpectGolden(twoHundredthFrame); }

TEST(GoldenFrames, AfterAScriptedFlight) { ExpectGolden(scriptedFlight); }
