// The texture set's file handling: all or nothing in slot order, a missing
// file silent, a broken one reported by the loader; every image read is
// released (leak detection is on for these tests).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "assets/texture_set.h"
#include "support/recording_platform.h"
#include "support/run_folder.h"

namespace fs = std::filesystem;

namespace {

// A file that the loader would refuse with a box if it were ever opened.
void Spoil(const char *path) { std::ofstream(path, std::ios::binary) << "not a bitmap at all, no."; }

bool NoNamesMade() {
  for (unsigned name : textureSet.textureNames)
    if (name != 0) return false;
  return true;
}

}  // namespace

TEST(TextureSetFiles, AMissingFileStopsTheSetSilentlyBeforeTheLaterSlots) {
  ASSERT_FALSE(EnterCopyOfRunFolder().empty());
  fs::remove("Tex/List/krik.bmp");  // slot 4
  for (const char *later : {"Tex/List/trava.bmp", "Tex/List/trava1.bmp", "Tex/obloha.bmp", "Tex/zem.bmp"})
    Spoil(later);
  EXPECT_EQ(LoadTextureSet(), 0);
  EXPECT_TRUE(RecordedMessageBoxes().empty());  // slots 5 to 8 were never opened
  EXPECT_TRUE(NoNamesMade());
}

TEST(TextureSetFiles, UnusedSlotsAreRequiredLikeTheOthers) {
  ASSERT_FALSE(EnterCopyOfRunFolder().empty());
  fs::remove("Tex/Ciary/00.bmp");
  EXPECT_EQ(LoadTextureSet(), 0);
  EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST(TextureSetFiles, AnEmptyFileGetsTheLoadersOpenFailureNamingIt) {
  ASSERT_FALSE(EnterCopyOfRunFolder().empty());
  std::ofstream("Tex/zem.bmp", std::ios::trunc).close();
  EXPECT_EQ(LoadTextureSet(), 0);
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes()[0].text, "Failed to open DIB file Tex/zem.bmp.\n");
  EXPECT_EQ(RecordedMessageBoxes()[0].caption, "Error");
  EXPECT_TRUE(NoNamesMade());
}

// The loader only reports; the set shows its text in an "Error" box owned
// by the window that has the focus.
TEST(TextureSetFiles, ABrokenEarlySlotIsReportedInTheFocusWindowsBoxAndStopsTheRest) {
  ASSERT_FALSE(EnterCopyOfRunFolder().empty());
  Spoil("Tex/List/list.bmp");  // slot 2
  Spoil("Tex/List/krik.bmp");  // slot 4: must never be reached
  WindowHandle focus = (WindowHandle)(uintptr_t)0x5150;
  SetTestFocusWindow(focus);
  EXPECT_EQ(LoadTextureSet(), 0);
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  const RecordedMessageBox &box = RecordedMessageBoxes()[0];
  EXPECT_EQ(box.owner, focus);
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.type, (unsigned)MB_OK);
  EXPECT_EQ(box.text, "Unknown DIB file format.");
  EXPECT_TRUE(NoNamesMade());
}

TEST(TextureSetFiles, ANullOrMissingPathGivesNoImageAndNoMessage) {
  EXPECT_EQ(LoadTextureImage(nullptr), nullptr);
  EXPECT_EQ(LoadTextureImage("/nonexistent/Tex/zem.bmp"), nullptr);
  EXPECT_TRUE(RecordedMessageBoxes().empty());
}
