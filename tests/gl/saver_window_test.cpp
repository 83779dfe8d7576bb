// The screensaver through the recording platform: its window inside a host
// or over the screen at the host's or the screen's own size, left alone by
// the display mode, the cursor and the sound; input that the host owns let
// be, and on the screen the input that ends it.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/saver_window.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "scene/scene_init.h"
#include "support/program_state.h"
#include "support/recording_platform.h"

namespace {

constexpr uint64_t hostId = 0x2a00007;

int RunSaver(unsigned char mode) {
  launchOptions.saver = mode;
  launchOptions.hostWindow = hostId;
  launchOptions.hostGiven = 1;
  sceneOptions = SceneOptions{true, true};
  return WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW);
}

int Count(const std::string &name) { return (int)RecordedCallNames({name}).size(); }

struct Viewport {
  GLint x, y, width, height;
};

// The viewport of the first frame, and the given input fed after that frame.
const Viewport &ViewportWithInput(std::function<void(int)> input) {
  static Viewport seen;
  seen = Viewport{};
  SetTestSwapHook([input](int swap) {
    if (swap == 1) glGetIntegerv(GL_VIEWPORT, &seen.x);
    input(swap);
    if (swap > 300) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  return seen;
}

}  // namespace

TEST(SaverWindow, InAHostItIsAChildAtTheHostsSizeAndLeavesModeCursorAndSoundAlone) {
  AddTestHostWindow(hostId, 320, 240);
  const Viewport &viewport = ViewportWithInput([](int swap) {
    if (swap == 4) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunSaver(saverInHost), 0);
  EXPECT_EQ(viewport.width, 320);
  EXPECT_EQ(viewport.height, 240);
  EXPECT_EQ(LastWindowParent(), FindHostWindow(hostId));
  EXPECT_EQ(TestWindowRect().right - TestWindowRect().left, 320);
  EXPECT_EQ(Count("ChangeDisplayMode"), 0);
  EXPECT_EQ(Count("ShowMouseCursor"), 0);
  EXPECT_EQ(Count("SetCursorPosition"), 0);
  EXPECT_EQ(PlayedSoundCount(), 0);
  EXPECT_TRUE(RecordedMessageBoxes().empty());
  EXPECT_EQ(LiveWindowCount(), 0);
}

// The daemon owns the keys and the mouse: Esc, F1, the climb button and
// the mouse's motion change nothing, and the view flies as when left alone.
TEST(SaverWindow, InAHostInputIsTheHostsAndTheFlightIsTheUntouchedOne) {
  AddTestHostWindow(hostId, 320, 240);
  ViewportWithInput([](int swap) {
    if (swap == 2) {
      QueueTestMessage(WM_KEYDOWN, VK_ESCAPE, 0);
      QueueTestMessage(WM_KEYDOWN, VK_F1, 0);
      QueueTestMessage(WM_RBUTTONDOWN, 0, 0);
      SimulateMouseMotion(0, -200);
    }
    if (swap == 40) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunSaver(saverInHost), 0);
  EXPECT_EQ(SwapCount(), 40);
  EXPECT_EQ(Count("CreatePlatformWindow"), 1);
  CameraState touched = cameraState;

  ResetProgramState();
  AddTestHostWindow(hostId, 320, 240);
  ViewportWithInput([](int swap) {
    if (swap == 40) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  RunSaver(saverInHost);
  EXPECT_EQ(std::memcmp(&touched, &cameraState, sizeof cameraState), 0) << "the input moved the view";
}

TEST(SaverWindow, OverTheScreenItTakesTheScreensOwnSizeAndHidesTheCursorWhileItRuns) {
  SetTestScreenSize(1920, 1080);
  const Viewport &viewport = ViewportWithInput([](int swap) {
    if (swap == 3) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunSaver(saverOnScreen), 0);
  EXPECT_EQ(viewport.width, 1920);
  EXPECT_EQ(viewport.height, 1080);
  EXPECT_EQ(TestWindowRect().right, 1920);
  EXPECT_EQ(LastWindowParent(), nullptr);
  EXPECT_EQ(Count("ChangeDisplayMode"), 0);
  EXPECT_EQ(RecordedCallNames({"ShowMouseCursor"}), (std::vector<std::string>{"ShowMouseCursor", "ShowMouseCursor"}));
  EXPECT_EQ(CursorShowCount(), 0);
}

// A resting mouse shivers; a real move, a key or a click ends the saver.
TEST(SaverWindow, OverTheScreenAKeyAClickOrAMoveEndsItAndAShiverDoesNot) {
  auto pack = [](int x, int y) { return (LParam)((y << 16) | x); };
  struct Case {
    const char *what;
    unsigned message;
    int x, y;
    int expectedSwaps;
  };
  for (Case c : {Case{"shiver", WM_MOUSEMOVE, 103, 97, 30}, Case{"move", WM_MOUSEMOVE, 110, 100, 2},
                 Case{"key", WM_KEYDOWN, 0, 0, 2}, Case{"Alt", WM_SYSKEYDOWN, 0, 0, 2},
                 Case{"click", WM_LBUTTONDOWN, 0, 0, 2}}) {
    ResetProgramState();
    ViewportWithInput([&](int swap) {
      if (swap == 1) QueueTestMessage(WM_MOUSEMOVE, 0, pack(100, 100));
      if (swap == 2) QueueTestMessage(c.message, c.message == WM_MOUSEMOVE ? 0u : (unsigned)VK_SPACE, pack(c.x, c.y));
      if (swap == 30) QueueTestMessage(WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(RunSaver(saverOnScreen), 0) << c.what;
    EXPECT_EQ(SwapCount(), c.expectedSwaps) << c.what;
  }
}

TEST(SaverWindow, AHostThatIsNotThereIsSaidAndNothingOpens) {
  launchOptions.saver = saverInHost;
  launchOptions.hostWindow = 0x7fffffff;
  launchOptions.hostGiven = 1;
  std::FILE *err = std::tmpfile();
  EXPECT_EQ(FindSaverHost(err), 0);
  std::rewind(err);
  char said[200] = {};
  EXPECT_NE(std::fgets(said, sizeof said, err), nullptr);
  std::fclose(err);
  EXPECT_NE(std::string(said).find("0x7fffffff"), std::string::npos) << said;
  EXPECT_EQ(Count("CreatePlatformWindow"), 0);
  AddTestHostWindow(0x7fffffff, 10, 10);
  EXPECT_EQ(FindSaverHost(err = std::tmpfile()), 1);
  std::fclose(err);
}

TEST(SaverWindow, TheSettingsBoxIsOwnedByTheWindowWindowsNames) {
  AddTestHostWindow(hostId, 400, 300);
  launchOptions.saver = saverSettings;
  launchOptions.hostWindow = hostId;
  launchOptions.hostGiven = 1;
  EXPECT_EQ(ShowSaverSettings(), 0);
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes()[0].caption, "Talmir");
  EXPECT_EQ(RecordedMessageBoxes()[0].owner, FindHostWindow(hostId));
}

// The two caption lines stand in the viewer's top left corner; the
// screensaver's first frame is the viewer's without them.
TEST(SaverWindow, TheScreensaverDrawsTheLandscapeWithoutTheCaption) {
  auto captionBand = [](bool captionless) {
    ResetProgramState();
    AddTestHostWindow(hostId, 1024, 768);
    static std::vector<unsigned char> band;
    band.assign(256 * 40 * 3, 0);
    SetTestSwapHook([](int swap) {
      if (swap == 1) glReadPixels(0, 728, 256, 40, GL_RGB, GL_UNSIGNED_BYTE, band.data());
      if (swap == 1) QueueTestMessage(WM_CLOSE, 0, 0);
    });
    launchOptions.saver = saverInHost;
    launchOptions.hostWindow = hostId;
    launchOptions.hostGiven = 1;
    sceneOptions = SceneOptions{true, captionless};
    WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW);
    return band;
  };
  std::vector<unsigned char> captioned = captionBand(false), bare = captionBand(true);
  size_t lighter = 0;
  for (size_t i = 0; i < bare.size(); i += 3)
    lighter += captioned[i] > bare[i] + 40 && captioned[i + 1] > bare[i + 1] + 40 ? 1 : 0;
  EXPECT_GT(lighter, 200u) << "the caption's light pixels over the same landscape";
  captioned = captionBand(true);
  EXPECT_EQ(captioned, bare);
}
