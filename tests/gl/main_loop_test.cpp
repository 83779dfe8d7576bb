// The main loop driven through the recording platform: how it ends and with
// which exit code, the F1 switch and its latch, the minimised window.
#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "app/scene_window.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "scene/frame.h"
#include "support/recording_platform.h"

namespace {

int RunProgram() { return WinMain(GetProgramInstance(), nullptr, nullptr, SW_SHOW); }

// Input for the program, given between two frames by swap number.
void Script(std::function<void(int)> step) {
  SetTestSwapHook([step](int swap) {
    step(swap);
    if (swap > 500) QueueTestMessage(WM_CLOSE, 0, 0);  // a runaway loop still ends
  });
}

void Key(unsigned message, unsigned key) { QueueTestMessage(message, key, 0); }

int Count(const std::string &name) { return (int)RecordedCallNames({name}).size(); }

}  // namespace

TEST(MainLoop, ClosingTheWindowEndsWithCodeZeroAndClosesOnce) {
  Script([](int swap) {
    if (swap == 3) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(SwapCount(), 3);
  EXPECT_EQ(Count("DestroyPlatformWindow"), 1);
  EXPECT_EQ(Count("UnregisterWindowClass"), 1);
  EXPECT_EQ(LiveWindowCount(), 0);
}

TEST(MainLoop, EscEndsWithTheLastMessagesWParam) {
  Script([](int swap) {
    if (swap == 2) Key(WM_KEYDOWN, VK_ESCAPE);
  });
  EXPECT_EQ(RunProgram(), VK_ESCAPE);
  EXPECT_EQ(SwapCount(), 3);  // the pass after the key finishes its frame first
  EXPECT_EQ(LiveWindowCount(), 0);
}

TEST(MainLoop, EscExitCodeIsWhateverCameLastNotTheKey) {
  Script([](int swap) {
    if (swap == 2) {
      Key(WM_KEYDOWN, VK_ESCAPE);
      QueueTestMessage(WM_MOUSEMOVE, 5, 0);
    }
  });
  EXPECT_EQ(RunProgram(), 5);
}

TEST(MainLoop, MessagesAreAllHandledBeforeTheNextFrame) {
  Script([](int swap) {
    if (swap == 1)
      for (int i = 0; i < 5; ++i) QueueTestMessage(WM_MOUSEMOVE, 0, 0);
    if (swap == 2) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  RunProgram();
  std::vector<std::string> names = RecordedCallNames({"SwapDeviceBuffers", "DispatchPlatformMessage"});
  std::vector<std::string> expected = {"SwapDeviceBuffers"};
  expected.insert(expected.end(), 5, "DispatchPlatformMessage");
  expected.push_back("SwapDeviceBuffers");
  expected.push_back("DispatchPlatformMessage");  // WM_CLOSE
  EXPECT_EQ(names, expected);
}

TEST(MainLoop, EscAndF1InOnePassSwitchThenEnd) {
  Script([](int swap) {
    if (swap == 2) {
      Key(WM_KEYDOWN, VK_ESCAPE);
      Key(WM_KEYDOWN, VK_F1);
    }
  });
  EXPECT_EQ(RunProgram(), VK_F1);
  EXPECT_EQ(Count("CreatePlatformWindow"), 2);
  EXPECT_EQ(Count("DestroyPlatformWindow"), 2);
  EXPECT_EQ(windowContext.fullscreen, 0);
  EXPECT_EQ(LiveWindowCount(), 0);
}

TEST(MainLoop, HoldingF1SwitchesOnceAndPressingAgainSwitchesBack) {
  std::vector<bool> fullscreenAtSwap;
  Script([&](int swap) {
    fullscreenAtSwap.push_back(TestWindowIsFullscreen());
    if (swap >= 2 && swap <= 6) Key(WM_KEYDOWN, VK_F1);  // auto-repeat while held
    if (swap == 8) Key(WM_KEYUP, VK_F1);
    if (swap == 10) Key(WM_KEYDOWN, VK_F1);
    if (swap == 12) Key(WM_KEYUP, VK_F1);
    if (swap == 14) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Count("CreatePlatformWindow"), 3);
  EXPECT_TRUE(fullscreenAtSwap[0]);
  EXPECT_FALSE(fullscreenAtSwap[5]);
  EXPECT_FALSE(fullscreenAtSwap[9]);
  EXPECT_TRUE(fullscreenAtSwap[12]);
  EXPECT_EQ(keyState.latches.fullscreen, 0);
}

TEST(MainLoop, TheSwitchKeepsCameraKeysAndClock) {
  Script([](int swap) {
    if (swap == 2) Key(WM_KEYDOWN, 'A');
    if (swap == 4) Key(WM_KEYDOWN, VK_F1);
    if (swap == 6) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  RunProgram();
  EXPECT_EQ(keyState.slot[LetterKey('A')], 1);  // no release reached either window
  EXPECT_EQ(keyState.slot[VK_F1], 1);
  EXPECT_EQ(cameraState.dolly, 7.0f * 4);  // applied after swaps 3, 4, 5 and 6
}

TEST(MainLoop, AMinimisedWindowStillSwapsAndAppliesInputButDrawsNothing) {
  float clockWhenMinimised = 0;
  Script([&](int swap) {
    if (swap == 2) {
      QueueTestMessage(WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0);
      Key(WM_KEYDOWN, 'A');
    }
    if (swap == 3) clockWhenMinimised = sceneClock;
    if (swap == 6) SetTestCursorPosition(512, 374);  // the mouse moved up 10 pixels
    if (swap == 8) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  RunProgram();
  EXPECT_EQ(SwapCount(), 8);
  EXPECT_EQ(sceneClock, clockWhenMinimised);  // no frame drawn after minimising
  EXPECT_EQ(cameraState.dolly, 7.0f * 6);     // input applied after swaps 3 to 8
  EXPECT_NEAR(cameraState.pitchRate, -10 * 0.1, 1e-6);
  // The cursor is still put back at the anchor after every swap.
  EXPECT_EQ(Count("SetCursorPosition"), 8);
}

TEST(MainLoop, AFailedReopenEndsWithZeroAndNothingOpen) {
  Script([](int swap) {
    if (swap == 2) {
      Key(WM_KEYDOWN, VK_F1);
      FailPlatformCall("SetPixelFormat");
    }
  });
  EXPECT_EQ(RunProgram(), 0);
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes()[0].text, "Can't Set The PixelFormat.");
  EXPECT_EQ(LiveWindowCount(), 0);
  EXPECT_EQ(Count("DestroyPlatformWindow"), 2);
}

TEST(MainLoop, AFailedFirstOpeningEndsWithZero) {
  FailPlatformCall("GetDeviceContext");
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(SwapCount(), 0);
  EXPECT_EQ(LiveWindowCount(), 0);
}

// Taps: a key pressed and released between two frames (both messages in one
// burst) still acts once, as a held key would.
TEST(MainLoop, AnEscTapBetweenTwoFramesEndsTheLoop) {
  Script([](int swap) {
    if (swap == 2) {
      Key(WM_KEYDOWN, VK_ESCAPE);
      Key(WM_KEYUP, VK_ESCAPE);
    }
  });
  EXPECT_EQ(RunProgram(), VK_ESCAPE);  // the release was the last message taken
  EXPECT_EQ(SwapCount(), 3);
  EXPECT_EQ(keyState.slot[VK_ESCAPE], 0);
}

TEST(MainLoop, AnF1TapSwitchesOnceAndTheNextTapSwitchesBack) {
  std::vector<bool> fullscreenAtSwap;
  Script([&](int swap) {
    fullscreenAtSwap.push_back(TestWindowIsFullscreen());
    if (swap == 2 || swap == 5) {
      Key(WM_KEYDOWN, VK_F1);
      Key(WM_KEYUP, VK_F1);
    }
    if (swap == 8) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Count("CreatePlatformWindow"), 3);
  EXPECT_TRUE(fullscreenAtSwap[1]);
  EXPECT_FALSE(fullscreenAtSwap[3]);
  EXPECT_TRUE(fullscreenAtSwap[6]);
  EXPECT_EQ(keyState.slot[VK_F1], 0);
  EXPECT_EQ(keyState.latches.fullscreen, 0);
}

TEST(MainLoop, AnLTapFlipsTheLightingSwitchOnce) {
  std::vector<int> flagAtSwap;
  Script([&](int swap) {
    flagAtSwap.push_back(keyState.latches.lightingSwitch);
    if (swap == 2 || swap == 4) {
      Key(WM_KEYDOWN, 'L');
      Key(WM_KEYUP, 'L');
    }
    if (swap == 6) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  RunProgram();
  // Each tap is dispatched before the next frame and acted on after its swap.
  EXPECT_EQ(flagAtSwap, (std::vector<int>{0, 0, 0, 1, 1, 0}));
}

// The loop starts in a window when asked: no display-mode change, no question.
TEST(MainLoop, AWindowedStartChangesNoModeAndAsksNothing) {
  launchOptions.windowed = 1;
  SetFullscreenModeAvailable(false);
  Script([](int swap) {
    if (swap == 2) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Count("ChangeDisplayMode"), 0);
  EXPECT_TRUE(RecordedMessageBoxes().empty());
  EXPECT_EQ(SwapCount(), 2);
}

// A second F1 tap that arrives while the window is being opened again is
// dispatched before the new window's first frame: the loop never saw F1 up
// between the two taps, yet the second is a new press and switches back.
TEST(MainLoop, AnF1TapDuringTheSwitchSwitchesBack) {
  Script([](int swap) {
    if (swap == 2) {
      Key(WM_KEYDOWN, VK_F1);
      Key(WM_KEYUP, VK_F1);
    }
    if (swap == 3) {  // the switch follows this swap; these keys outlive the old window
      SimulateKey(VK_F1, 1);
      SimulateKey(VK_F1, 0);
    }
    if (swap == 6) QueueTestMessage(WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Count("CreatePlatformWindow"), 3);
  EXPECT_EQ(keyState.latches.fullscreen, 0);
}
