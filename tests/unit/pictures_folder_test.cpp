// Where F12's pictures go and what they are called: $XDG_PICTURES_DIR, the
// folder the user's user-dirs.dirs names, $HOME, in that order.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/screenshot.h"
#include "support/environment.h"
#include "support/run_folder.h"

namespace fs = std::filesystem;

namespace {

struct PicturesPlace : testing::Test {
  fs::path home;
  void SetUp() override {
    home = NewTestFolder("home");
    fs::create_directories(home / ".config");
    for (const char *name : {"XDG_PICTURES_DIR", "XDG_CONFIG_HOME"}) ClearTestEnvironment(name);
    hadHome = std::getenv("HOME") != nullptr;
    savedHome = hadHome ? std::getenv("HOME") : "";
    SetTestEnvironment("HOME", home.string());
  }
  void TearDown() override {
    for (const char *name : {"XDG_PICTURES_DIR", "XDG_CONFIG_HOME"}) ClearTestEnvironment(name);
    if (hadHome) SetTestEnvironment("HOME", savedHome);
    else ClearTestEnvironment("HOME");
    fs::remove_all(home);
  }
  void UserDirs(const fs::path &config, const std::string &picturesLine) {
    std::ofstream(config / "user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                              << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                              << picturesLine << "\n";
  }
  bool hadHome = false;
  std::string savedHome;
};

}  // namespace

TEST_F(PicturesPlace, TheNamedFolderThenUserDirsThenHome) {
  EXPECT_EQ(fs::path(PicturesFolder()), home);
  UserDirs(home / ".config", "XDG_PICTURES_DIR=\"$HOME/Bilder\"");
  EXPECT_EQ(fs::path(PicturesFolder()), home / "Bilder");
  SetTestEnvironment("XDG_PICTURES_DIR", "/srv/shots");
  EXPECT_EQ(PicturesFolder(), "/srv/shots");
}

TEST_F(PicturesPlace, UserDirsIsReadWhereXdgConfigHomeSaysAndAbsolutePathsTooButNotRelativeOnes) {
  fs::create_directories(home / "elsewhere");
  SetTestEnvironment("XDG_CONFIG_HOME", (home / "elsewhere").string());
  UserDirs(home / ".config", "XDG_PICTURES_DIR=\"$HOME/NotThisOne\"");
  UserDirs(home / "elsewhere", "XDG_PICTURES_DIR=\"/data/pictures\"");
  EXPECT_EQ(PicturesFolder(), "/data/pictures");
  UserDirs(home / "elsewhere", "XDG_PICTURES_DIR=\"Pictures\"");
  EXPECT_EQ(fs::path(PicturesFolder()), home);
}

TEST_F(PicturesPlace, NoHomeAndNoNamedFolderIsNoFolder) {
  ClearTestEnvironment("HOME");
  EXPECT_EQ(PicturesFolder(), "");
}

TEST(ScreenshotNames, DateAndTimeWithTwoDigitFields) {
  std::tm time = {};
  time.tm_year = 2031 - 1900;
  time.tm_mon = 2;  // March
  time.tm_mday = 5;
  time.tm_hour = 7;
  time.tm_min = 8;
  time.tm_sec = 9;
  EXPECT_EQ(ScreenshotName(time), "talmir-20310305-070809.png");
}
