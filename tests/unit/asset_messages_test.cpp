// What standard error says when a texture or the sound cannot be used: the
// file, the folder it was looked for in and the reason, one line each, while
// the boxes stay exactly as they were.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "assets/asset_messages.h"
#include "assets/asset_paths.h"
#include "assets/texture_set.h"
#include "support/recording_platform.h"
#include "support/run_folder.h"

namespace fs = std::filesystem;

namespace {

struct AssetMessages : testing::Test {
  std::string folder;
  void SetUp() override {
    folder = EnterCopyOfRunFolder();
    ASSERT_FALSE(folder.empty());
    assetMessages = std::tmpfile();
  }
  void TearDown() override {
    std::fclose(assetMessages);
    assetMessages = stderr;
  }
  std::string Said() {
    std::rewind(assetMessages);
    std::string text;
    for (int c; (c = std::fgetc(assetMessages)) != EOF;) text += (char)c;
    return text;
  }
  std::string Line(const char *verb, const char *path, const char *reason) {
    return std::string("talmir: cannot ") + verb + " " + path + " in " + folder + ": " + reason + "\n";
  }
};

}  // namespace

TEST_F(AssetMessages, AMissingTextureIsNamedWithItsFolderAndNoBox) {
  fs::remove("Tex/List/krik.bmp");
  EXPECT_EQ(LoadTextureSet(), 0);
  EXPECT_EQ(Said(), Line("open", "Tex/List/krik.bmp", "No such file or directory"));
  EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(AssetMessages, AnEmptyTextureKeepsTheLoadersBoxAndSaysItIsEmpty) {
  std::ofstream("Tex/zem.bmp", std::ios::trunc).close();
  EXPECT_EQ(LoadTextureSet(), 0);
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes()[0].text, "Failed to open DIB file Tex/zem.bmp.\n");
  EXPECT_EQ(Said(), Line("read", "Tex/zem.bmp", "the file is empty"));
}

TEST_F(AssetMessages, ARefusedTextureGivesTheLoadersReason) {
  std::ofstream("Tex/List/list.bmp", std::ios::binary | std::ios::trunc) << "BM but nothing more to it";
  EXPECT_EQ(LoadTextureSet(), 0);
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes()[0].text, "Unknown DIB file format.");
  EXPECT_EQ(Said(), Line("read", "Tex/List/list.bmp", "Unknown DIB file format"));
}

TEST_F(AssetMessages, TexturesInPlaceSayNothing) {
  for (const char *path : assetPaths.textures) {
    RgbImage *image = LoadTextureImage(path);
    ASSERT_NE(image, nullptr) << path;
    free(image->pixels);
    free(image);
  }
  EXPECT_EQ(Said(), "");
}

TEST_F(AssetMessages, TheSoundIsNamedWhenMissingOrNoWaveAndNotWhenItIsSound) {
  CheckSoundFile("Sound\\sound.wav");
  EXPECT_EQ(Said(), "");  // a sound file in place: whatever failed, it was not the file

  std::ofstream("Sound/sound.wav", std::ios::binary | std::ios::trunc) << "RIFF\x04\0\0\0AVI ";
  CheckSoundFile("Sound\\sound.wav");
  EXPECT_EQ(Said(), Line("read", "Sound/sound.wav", "not a RIFF WAVE file"));

  std::fclose(assetMessages);
  assetMessages = std::tmpfile();
  fs::remove("Sound/sound.wav");
  CheckSoundFile("Sound\\sound.wav");
  EXPECT_EQ(Said(), Line("open", "Sound/sound.wav", "No such file or directory"));
}
