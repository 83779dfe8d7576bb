// The desktop goldens drawn again by Talmir's own fixed-function subset on
// Mesa's OpenGL ES 2.0 (build/talmir-frames-gles2: the browser's GL, tried on
// the desktop) and compared under the tolerance of the same rasterizer
// (support/frame_tolerance.h). On a mismatch the frame, the golden picture and
// their difference go to BUILD/golden-failures/gles2-*.png.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/frame_tolerance.h"
#include "support/image_compare.h"

namespace fs = std::filesystem;

namespace {

const fs::path buildDir = TALMIR_BUILD_DIR;
const fs::path goldenDir = fs::path(TALMIR_SOURCE_DIR) / "tests" / "golden";

TestImage RenderWithSubset(const std::string &arguments, int frame) {
  fs::path out = fs::temp_directory_path() / ("talmir-gles2-" + std::to_string(getpid()));
  fs::remove_all(out);
  std::string command = "'" + (buildDir / "talmir-frames-gles2").string() + "' --run-dir '" +
                        (buildDir / "run").string() + "' --out '" + out.string() + "' " + arguments;
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  TestImage image = LoadPng((out / ("frame-" + std::to_string(frame) + ".png")).string());
  fs::remove_all(out);
  return image;
}

void ExpectLikeGolden(const std::string &name, const std::string &arguments, int frame) {
  TestImage actual = RenderWithSubset(arguments, frame);
  ASSERT_EQ(actual.width, 1024) << "no frame " << frame << " from talmir-frames-gles2 " << arguments;
  TestImage golden = LoadPng((goldenDir / (name + ".png")).string());
  ImageDifference d = CompareImages(actual, golden);
  bool close = WithinTolerance(d, sameRasterizer);
  EXPECT_TRUE(close) << name << " by " << sameRasterizer.what << ": " << DescribeDifference(d, sameRasterizer);
  if (close) return;
  fs::path failures = buildDir / "golden-failures";
  fs::create_directories(failures);
  SavePng((failures / ("gles2-" + name + "-actual.png")).string(), actual);
  SavePng((failures / ("gles2-" + name + "-difference.png")).string(), DifferenceImage(actual, golden));
}

}  // namespace

TEST(Gles2Frames, FirstFrameLikeTheDesktop) { ExpectLikeGolden("still-1", "--frames 1", 1); }

TEST(Gles2Frames, TwoHundredthFrameLikeTheDesktop) { ExpectLikeGolden("still-200", "--frames 200", 200); }

TEST(Gles2Frames, ScriptedFlightLikeTheDesktop) {
  ExpectLikeGolden("flight-60", "--hold A:10-14 --hold rbutton:20-60 --hold left:40-55 --mouse 0,-40@30 --frames 60",
                   60);
}
