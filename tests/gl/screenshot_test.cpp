// F12 through the real loop and scene on the recording platform: the PNG
// holds exactly the frame that was presented, one file per press, and
// saving leaves every frame as it would have been; a folder that cannot be
// written says why and the viewer runs on.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/screenshot.h"
#include "support/environment.h"
#include "support/run_folder.h"
#include "support/image_compare.h"
#include "support/program_state.h"
#include "support/recording_platform.h"

namespace fs = std::filesystem;

namespace {

struct Screenshots : testing::Test {
  fs::path folder;
  void SetUp() override {
    folder = NewTestFolder("pictures");
    SetTestEnvironment("XDG_PICTURES_DIR", folder.string());
  }
  void TearDown() override {
    ClearTestEnvironment("XDG_PICTURES_DIR");
    fs::remove_all(folder);
  }
  // The pictures in the order they were saved: by second, then by the
  // number a second picture in the same second gets.
  std::vector<fs::path> Pictures() {
    std::vector<fs::path> found;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder)) found.push_back(entry.path());
    auto order = [](const fs::path &p) {
      std::string stem = p.stem().string();  // talmir-YYYYMMDD-HHMMSS[-N]
      size_t second = std::string("talmir-YYYYMMDD-HHMMSS").size();
      int n = stem.size() > second ? std::atoi(stem.c_str() + second + 1) : 1;
      return std::make_pair(stem.substr(0, second), n);
    };
    std::sort(found.begin(), found.end(), [&](const fs::path &a, const fs::path &b) { return order(a) < order(b); });
    return found;
  }
};

// Runs the viewer with the key script, keeping the frames presented at the
// given swaps as they were read back right after their swap.
std::map<int, TestImage> RunKeepingFrames(std::function<void(int)> keys, std::vector<int> keep, int closeAt) {
  std::map<int, TestImage> frames;
  SetTestSwapHook([&](int swap) {
    for (int k : keep)
      if (k == swap) frames[swap] = ReadGlFrame(1024, 768);
    keys(swap);
    if (swap == closeAt) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW);
  return frames;
}

void Key(unsigned message, unsigned key) { QueueTestMessage(message, key, 0); }

bool Same(const TestImage &a, const TestImage &b) {
  ImageDifference d = CompareImages(a, b);
  return d.sameSize && d.maxChannel == 0;
}

}  // namespace

TEST_F(Screenshots, EachPressSavesThePresentedFrameOnceAndTheFramesStayAsTheyWere) {
  std::function<void(int)> presses = [](int swap) {
    if (swap >= 2 && swap <= 5) Key(WM_KEYDOWN, VK_F12);  // held: auto-repeat
    if (swap == 6) Key(WM_KEYUP, VK_F12);
    if (swap == 8) {  // a tap between two frames
      Key(WM_KEYDOWN, VK_F12);
      Key(WM_KEYUP, VK_F12);
    }
  };
  std::map<int, TestImage> withF12 = RunKeepingFrames(presses, {3, 9, 10}, 10);
  std::vector<fs::path> pictures = Pictures();
  ASSERT_EQ(pictures.size(), 2u);
  // Both within a second or two: the second takes the next free name.
  for (const fs::path &p : pictures) EXPECT_EQ(p.filename().string().rfind("talmir-", 0), 0u) << p;
  TestImage first = LoadPng(pictures[0].string()), second = LoadPng(pictures[1].string());
  EXPECT_TRUE(Same(first, withF12[3])) << "the first press is read from the frame drawn after it";
  EXPECT_TRUE(Same(second, withF12[9]));
  EXPECT_FALSE(Same(first, second));  // the view turned in between

  ResetProgramState();
  SetTestEnvironment("XDG_PICTURES_DIR", folder.string());
  std::map<int, TestImage> without = RunKeepingFrames([](int) {}, {3, 9, 10}, 10);
  for (int swap : {3, 9, 10}) EXPECT_TRUE(Same(withF12[swap], without[swap])) << "frame " << swap;
}

TEST_F(Screenshots, AFolderThatCannotBeWrittenLeavesTheViewerRunning) {
  SetTestEnvironment("XDG_PICTURES_DIR", (folder / "missing").string());
  RunKeepingFrames(
      [](int swap) {
        if (swap == 2) Key(WM_KEYDOWN, VK_F12);
      },
      {}, 6);
  EXPECT_EQ(SwapCount(), 6);
  EXPECT_TRUE(Pictures().empty());
}

// Saving by itself, on a cleared context: what it says and where it writes.
TEST_F(Screenshots, SavingSaysWhereOrWhyNot) {
  ASSERT_TRUE(MakeTestGLContextCurrent(64, 48));
  glViewport(0, 0, 64, 48);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  std::FILE *out = std::tmpfile(), *err = std::tmpfile();
  ASSERT_EQ(SaveScreenshot(out, err), 1);
  ASSERT_EQ(SaveScreenshot(out, err), 1);
  std::vector<fs::path> pictures = Pictures();
  ASSERT_EQ(pictures.size(), 2u);
  TestImage saved = LoadPng(pictures[0].string());
  ASSERT_EQ(saved.width, 64);
  ASSERT_EQ(saved.height, 48);
  EXPECT_EQ(saved.At(10, 10)[1], 255);
  EXPECT_EQ(saved.At(10, 10)[0], 0);

  SetTestEnvironment("XDG_PICTURES_DIR", pictures[0].string());  // a file, not a folder
  EXPECT_EQ(SaveScreenshot(out, err), 0);
  auto contents = [](std::FILE *file) {
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += (char)c;
    std::fclose(file);
    return text;
  };
  std::string said = contents(out), complained = contents(err);
  // Two lines naming the two files, in the order they were written.
  size_t firstAt = said.find(pictures[0].string()), secondAt = said.find(pictures[1].string());
  EXPECT_EQ(said.rfind("talmir: saved the picture as ", 0), 0u) << said;
  EXPECT_NE(firstAt, std::string::npos) << said;
  EXPECT_NE(secondAt, std::string::npos) << said;
  EXPECT_EQ(complained.rfind("talmir: cannot save the picture as " + pictures[0].string() + "/talmir-", 0), 0u)
      << complained;
  EXPECT_NE(complained.find(": Not a directory\n"), std::string::npos) << complained;
}
