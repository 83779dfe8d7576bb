// Where F12's pictures go and what they are called: $XDG_PICTURES_DIR, the
// folder the user's user-dirs.dirs names, $HOME, in that order.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/screenshot.h"

namespace fs = std::filesystem;

namespace {

struct PicturesPlace : testing::Test {
  fs::path home;
  void SetUp() override {
    home = fs::temp_directory_path() / ("talmir-home-" + std::to_string(getpid()));
    fs::remove_all(home);
    fs::create_directories(home / ".config");
    for (const char *name : {"XDG_PICTURES_DIR", "XDG_CONFIG_HOME"}) unsetenv(name);
    saved = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
  }
  void TearDown() override {
    for (const char *name : {"XDG_PICTURES_DIR", "XDG_CONFIG_HOME"}) unsetenv(name);
    setenv("HOME", saved.c_str(), 1);
    fs::remove_all(home);
  }
  void UserDirs(const fs::path &config, const std::string &picturesLine) {
    std::ofstream(config / "user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                              << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                              << picturesLine << "\n";
  }
  std::string saved;
};

}  // namespace

TEST_F(PicturesPlace, TheNamedFolderThenUserDirsThenHome) {
  EXPECT_EQ(PicturesFolder(), home.string());
  UserDirs(home / ".config", "XDG_PICTURES_DIR=\"$HOME/Bilder\"");
  EXPECT_EQ(PicturesFolder(), (home / "Bilder").string());
  setenv("XDG_PICTURES_DIR", "/srv/shots", 1);
  EXPECT_EQ(PicturesFolder(), "/srv/shots");
}

TEST_F(PicturesPlace, UserDirsIsReadWhereXdgConfigHomeSaysAndAbsolutePathsTooButNotRelativeOnes) {
  fs::create_directories(home / "elsewhere");
  setenv("XDG_CONFIG_HOME", (home / "elsewhere").c_str(), 1);
  UserDirs(home / ".config", "XDG_PICTURES_DIR=\"$HOME/NotThisOne\"");
  UserDirs(home / "elsewhere", "XDG_PICTURES_DIR=\"/data/pictures\"");
  EXPECT_EQ(PicturesFolder(), "/data/pictures");
  UserDirs(home / "elsewhere", "XDG_PICTURES_DIR=\"Pictures\"");
  EXPECT_EQ(PicturesFolder(), home.string());
}

TEST_F(PicturesPlace, NoHomeAndNoNamedFolderIsNoFolder) {
  unsetenv("HOME");
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
