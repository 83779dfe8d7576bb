// program_state.cpp: every program-wide record back to its starting value.
#include "support/program_state.h"

#include <filesystem>

#include "app/main_loop.h"
#include "app/scene_window.h"
#include "app/window_proc.h"
#include "assets/asset_messages.h"
#include "assets/bitmap_loader.h"
#include "assets/texture_set.h"
#include "camera/camera.h"
#include "scene/frame.h"
#include "scene/scene_init.h"
#include "scene/random_source.h"
#include "scene/terrain.h"
#include "scene/text_overlay.h"
#include "support/recording_platform.h"

namespace {

// The folder the test program was started in (the GL tests' run folder).
const std::filesystem::path startFolder = std::filesystem::current_path();

}  // namespace

void ResetProgramState() {
  ResetTestPlatform();
  std::filesystem::current_path(startFolder);
  launchOptions = LaunchOptions{};
  sceneOptions = SceneOptions{};
  windowContext = WindowContext{nullptr, nullptr, nullptr, nullptr, 1, 1};
  keyState = KeyState{};
  keyTaps = KeyTaps{};
  cameraState = CameraState{};
  sceneClock = 0.0f;
  swayPhase = 0.0;
  randomState = RandomState{1};
  terrainGrid = TerrainGrid{};
  terrainPhase = 0.0f;
  for (int c = 0; c < clumpTableSize; ++c) clumpOffsetA[c] = clumpOffsetB[c] = 0.0f;
  textureSet = TextureSet{};
  fontListBase = 0;
  showLoaderErrors = true;
  loaderMessageSink = nullptr;
  loaderMessage[0] = '\0';
  assetMessages = stderr;
}
