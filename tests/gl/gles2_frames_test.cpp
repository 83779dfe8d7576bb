// The desktop goldens drawn again by Talmir's own fixed-function subset on
// Mesa's OpenGL ES 2.0 (build/talmir-frames-gles2: the browser's GL, tried on
// the desktop) and compared under the tolerance of the same rasterizer
// (support/frame_tolerance.h). On a mismatch the frame, the golden picture and
// their difference go to BUILD/golden-failures/gles2-*.png.
#include <gtest/gtest.h>

#include <string>

#include "frame_tool.h"
#include "support/frame_tolerance.h"
#include "support/image_compare.h"

namespace {

void ExpectLikeGolden(const GoldenFrame &golden) {
  TestImage actual = RenderFrame("talmir-frames-gles2", golden);
  ASSERT_EQ(actual.width, 1024) << "no frame " << golden.frame << " from talmir-frames-gles2 " << golden.arguments;
  TestImage expected = LoadPng(GoldenPath(golden).string());
  ImageDifference d = CompareImages(actual, expected);
  bool close = WithinTolerance(d, sameRasterizer);
  EXPECT_TRUE(close) << golden.name << " by " << sameRasterizer.what << ": " << DescribeDifference(d, sameRasterizer);
  if (!close) KeepForLooking("gles2-" + std::string(golden.name), actual, expected);
}

}  // namespace

TEST(Gles2Frames, FirstFrameLikeTheDesktop) { ExpectLikeGolden(firstFrame); }

TEST(Gles2Frames, TwoHundredthFrameLikeTheDesktop) { ExpectLikeGolden(twoHundredthFrame); }

TEST(Gles2Frames, ScriptedFlightLikeTheDesktop) { ExpectLikeGolden(scriptedFlight); }
