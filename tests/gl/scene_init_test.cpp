// Setting up a fresh rendering context: the fixed GL state, the landscape of
// the first set-up of a run, the sound request, a second set-up going on
// with the random sequence, and a failed texture load leaving all as it was.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "assets/asset_messages.h"
#include "scene/random_source.h"
#include "scene/scene_init.h"
#include "scene/terrain.h"
#include "support/recording_platform.h"
#include "support/run_folder.h"

namespace {

struct SceneSetUp : testing::Test {
  void SetUp() override { ASSERT_TRUE(MakeTestGLContextCurrent()); }
};

GLint Integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

std::vector<std::string> SoundRequests() {
  std::vector<std::string> requests;
  for (const std::string &call : RecordedCalls())
    if (call.rfind("PlaySoundFile", 0) == 0) requests.push_back(call);
  return requests;
}

}  // namespace

TEST_F(SceneSetUp, SetsTheFixedStateTheFrameReliesOn) {
  ASSERT_EQ(InitScene(), 1);
  EXPECT_EQ(Integer(GL_SHADE_MODEL), GL_SMOOTH);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 0.5f);
  EXPECT_EQ(clear[1], 0.5f);
  EXPECT_EQ(clear[2], 0.6f);
  EXPECT_EQ(clear[3], 1.0f);
  GLfloat depth;
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
  EXPECT_EQ(depth, 1.0f);
  EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LESS);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(Integer(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
  EXPECT_EQ(Integer(GL_POLYGON_SMOOTH_HINT), GL_NICEST);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(SceneSetUp, FirstSetUpOfARunGivesTheKnownLandscapeAndAsksForTheLoopingSound) {
  ASSERT_EQ(InitScene(), 1);
  EXPECT_NEAR(terrainGrid.vertex[0][1].z, 96.593f, 0.0005f);
  EXPECT_NEAR(terrainGrid.vertex[1][0].z, 141.676f, 0.0005f);
  EXPECT_EQ(clumpOffsetA[0], 17.0f);
  EXPECT_EQ(clumpOffsetB[3], 46.0f);
  // The path keeps the Windows separator; the platform maps it. 25 is
  // asynchronous, looping, and leaving a playing sound alone.
  EXPECT_EQ(SoundRequests(), (std::vector<std::string>{"PlaySoundFile Sound\\sound.wav flags=25"}));
  EXPECT_EQ(PlayedSoundCount(), 1);
}

TEST_F(SceneSetUp, SoundThatCannotPlayIsNoReasonToFail) {
  FailPlatformCall("PlaySoundFile");
  EXPECT_EQ(InitScene(), 1);
  EXPECT_TRUE(RecordedMessageBoxes().empty());
}

// The platform does not say why a sound did not start; the set-up names the
// file only when the file is at fault, not when the device is.
TEST_F(SceneSetUp, ASoundFileAtFaultIsNamedOnStandardErrorAndAMissingDeviceIsNot) {
  std::string folder = EnterCopyOfRunFolder();
  ASSERT_FALSE(folder.empty());
  assetMessages = std::tmpfile();
  FailPlatformCall("PlaySoundFile");
  ASSERT_EQ(InitScene(), 1);
  EXPECT_EQ(std::ftell(assetMessages), 0L);  // the file is sound: nothing said

  ASSERT_EQ(std::remove("Sound/sound.wav"), 0);
  ASSERT_TRUE(MakeTestGLContextCurrent());
  FailPlatformCall("PlaySoundFile");
  ASSERT_EQ(InitScene(), 1);
  std::rewind(assetMessages);
  char line[512] = "";
  ASSERT_NE(std::fgets(line, sizeof line, assetMessages), nullptr);
  EXPECT_EQ(std::string(line), "talmir: cannot open Sound/sound.wav in " + folder + ": No such file or directory\n");
  std::fclose(assetMessages);
  assetMessages = stderr;
}

TEST_F(SceneSetUp, ASecondSetUpGoesOnWithTheSequenceAndLeavesTheSoundPlaying) {
  ASSERT_EQ(InitScene(), 1);
  float firstHeight = terrainGrid.vertex[5][2].z;
  float firstPlace = clumpOffsetA[0];
  uint64_t afterFirst = randomState.word;
  ASSERT_TRUE(MakeTestGLContextCurrent());  // the context a mode switch makes
  ASSERT_EQ(InitScene(), 1);
  EXPECT_NE(randomState.word, afterFirst);
  EXPECT_NE(terrainGrid.vertex[5][2].z, firstHeight);
  EXPECT_NE(clumpOffsetA[0] * 100 + clumpOffsetB[0], firstPlace * 100 + 73.0f);
  EXPECT_EQ(SoundRequests().size(), 2u);
  EXPECT_EQ(PlayedSoundCount(), 1);  // the second request left the first sound alone
}

TEST_F(SceneSetUp, FailedTextureLoadLeavesEverythingAsItWas) {
  ASSERT_FALSE(EnterCopyOfRunFolder().empty());
  ASSERT_EQ(std::remove("Tex/List/krik.bmp"), 0);
  glClearColor(0.25f, 0.0f, 0.0f, 1.0f);
  glDisable(GL_TEXTURE_2D);
  EXPECT_EQ(InitScene(), 0);
  EXPECT_EQ(randomState.word, 1u);  // no terrain, no clumps drawn
  EXPECT_EQ(terrainGrid.vertex[1][0].z, 0.0f);
  EXPECT_EQ(clumpOffsetA[0], 0.0f);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 0.25f);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(SoundRequests().empty());
}
