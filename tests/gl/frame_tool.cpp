// frame_tool.cpp: the frame tools run through the shell, into a folder of
// this process's own under the temporary folder.
#include "frame_tool.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

const fs::path buildDir = TALMIR_BUILD_DIR;

}  // namespace

fs::path GoldenPath(const GoldenFrame &golden) {
  return fs::path(TALMIR_SOURCE_DIR) / "tests" / "golden" / (std::string(golden.name) + ".png");
}

TestImage RenderFrame(const std::string &tool, const GoldenFrame &golden) {
  fs::path out = fs::temp_directory_path() / (tool + "-" + std::to_string(getpid()));
  fs::remove_all(out);
  std::string command = "'" + (buildDir / tool).string() + "' --run-dir '" + (buildDir / "run").string() +
                        "' --out '" + out.string() + "' " + golden.arguments;
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  TestImage image = LoadPng((out / ("frame-" + std::to_string(golden.frame) + ".png")).string());
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
