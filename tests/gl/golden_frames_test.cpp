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
#include <filesystem>
#include <sstream>
#include <string>

#include "support/frame_tolerance.h"
#include "support/image_compare.h"

namespace fs = std::filesystem;

namespace {

const fs::path buildDir = TALMIR_BUILD_DIR;
const fs::path goldenDir = fs::path(TALMIR_SOURCE_DIR) / "tests" / "golden";

// Runs the frame tool and returns the frame it wrote.
TestImage RenderFrames(const std::string &arguments, int frame) {
  fs::path out = fs::temp_directory_path() / ("talmir-golden-" + std::to_string(getpid()));
  fs::remove_all(out);
  std::ostringstream command;
  command << "'" << (buildDir / "talmir-frames").string() << "' --run-dir '" << (buildDir / "run").string()
          << "' --out '" << out.string() << "' " << arguments;
  int status = std::system(command.str().c_str());
  EXPECT_EQ(status, 0) << command.str();
  TestImage image = LoadPng((out / ("frame-" + std::to_string(frame) + ".png")).string());
  fs::remove_all(out);
  return image;
}

void KeepForLooking(const std::string &name, const TestImage &actual, const TestImage &golden) {
  fs::path failures = buildDir / "golden-failures";
  fs::create_directories(failures);
  SavePng((failures / (name + "-actual.png")).string(), actual);
  if (golden.width == actual.width && golden.height == actual.height) {
    SavePng((failures / (name + "-golden.png")).string(), golden);
    SavePng((failures / (name + "-difference.png")).string(), DifferenceImage(actual, golden));
  }
  ADD_FAILURE() << "pictures kept in " << failures.string() << "/" << name << "-*.png";
}

void ExpectGolden(const std::string &name, const std::string &arguments, int frame) {
  TestImage actual = RenderFrames(arguments, frame);
  ASSERT_EQ(actual.width, 1024) << "no frame " << frame << " from talmir-frames " << arguments;
  fs::path goldenPath = goldenDir / (name + ".png");
  if (std::getenv("TALMIR_UPDATE_GOLDENS")) {
    ASSERT_TRUE(SavePng(goldenPath.string(), actual));
    GTEST_SKIP() << "golden picture written: " << goldenPath.string();
  }
  TestImage golden = LoadPng(goldenPath.string());
  ImageDifference d = CompareImages(actual, golden);
  bool close = WithinTolerance(d, sameDriver);
  EXPECT_TRUE(close) << name << " by " << sameDriver.what << ": " << DescribeDifference(d, sameDriver);
  if (!close) KeepForLooking(name, actual, golden);
}

}  // namespace

TEST(GoldenFrames, FirstFrameWithoutInput) { ExpectGolden("still-1", "--frames 1", 1); }

TEST(GoldenFrames, TwoHundredthFrameWithoutInput) { ExpectGolden("still-200", "--frames 200", 200); }

// Forward for five frames, up on the right button, a roll to the left and a
// tilt upward, seen at frame 60.
TEST(GoldenFrames, AfterAScriptedFlight) {
  ExpectGolden("flight-60", "--hold A:10-14 --hold rbutton:20-60 --hold left:40-55 --mouse 0,-40@30 --frames 60", 60);
}
