// The window procedure's whole table: what each message records and answers,
// and which messages fall through to the platform's default handling.
#include <gtest/gtest.h>

#include "app/scene_window.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "support/recording_platform.h"

namespace {

int DefaultCalls() { return (int)RecordedCallNames({"DefaultWindowProc"}).size(); }

LResult Send(unsigned message, WParam wParam = 0, LParam lParam = 0) {
  return SceneWindowProc(nullptr, message, wParam, lParam);
}

}  // namespace

TEST(WindowProcedure, ActivationFollowsOnlyTheMinimisedState) {
  EXPECT_EQ(Send(WM_ACTIVATE, WA_INACTIVE | (1u << 16)), 0);
  EXPECT_EQ(windowContext.active, 0);
  Send(WM_ACTIVATE, WA_ACTIVE);
  EXPECT_EQ(windowContext.active, 1);
  // Losing the focus without being minimised keeps the window drawing.
  Send(WM_ACTIVATE, WA_INACTIVE);
  EXPECT_EQ(windowContext.active, 1);
  EXPECT_EQ(DefaultCalls(), 0);
}

TEST(WindowProcedure, CloseAsksTheLoopToQuitWithoutDestroyingTheWindow) {
  EXPECT_EQ(Send(WM_CLOSE), 0);
  EXPECT_EQ(RecordedCallNames(), (std::vector<std::string>{"PostQuitMessage"}));
  EXPECT_EQ(RecordedCalls()[0], "PostQuitMessage 0");
}

TEST(WindowProcedure, ScreenSaverAndMonitorPowerDownAreRefused) {
  EXPECT_EQ(Send(WM_SYSCOMMAND, SC_SCREENSAVE), 0);
  EXPECT_EQ(Send(WM_SYSCOMMAND, SC_MONITORPOWER), 0);
  EXPECT_EQ(DefaultCalls(), 0);
  Send(WM_SYSCOMMAND, SC_CLOSE);  // other system commands get the default handling
  EXPECT_EQ(DefaultCalls(), 1);
}

TEST(WindowProcedure, KeysAreHeldFromDownToUpAndAnyReleaseLevelsTheRoll) {
  EXPECT_EQ(Send(WM_KEYDOWN, 'A'), 0);
  Send(WM_KEYDOWN, 'A');  // auto-repeat
  Send(WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(keyState.slot[LetterKey('A')], 1);
  EXPECT_EQ(keyState.slot[VK_LEFT], 1);
  SettleKeyTaps();  // the loop's input step has seen them
  cameraState.bankDirection = 1.0f;
  EXPECT_EQ(Send(WM_KEYUP, 'A'), 0);
  EXPECT_EQ(keyState.slot[LetterKey('A')], 0);
  EXPECT_EQ(keyState.slot[VK_LEFT], 1);
  EXPECT_EQ(cameraState.bankDirection, 0.0f);
  EXPECT_EQ(DefaultCalls(), 0);
}

// A press and its release between two input steps: the key stays down until
// the loop has acted on it once, then the release arrives and levels the roll.
TEST(WindowProcedure, ATapBetweenTwoFramesIsHeldUntilTheInputStepHasSeenIt) {
  Send(WM_KEYDOWN, VK_ESCAPE);
  Send(WM_KEYUP, VK_ESCAPE);
  EXPECT_EQ(keyState.slot[VK_ESCAPE], 1);
  EXPECT_EQ(cameraState.bankDirection, 0.0f);
  cameraState.bankDirection = 1.0f;  // the input step saw Left held meanwhile
  SettleKeyTaps();
  EXPECT_EQ(keyState.slot[VK_ESCAPE], 0);
  EXPECT_EQ(cameraState.bankDirection, 0.0f);
  // The next release of a key held since an earlier step is not held back.
  Send(WM_KEYDOWN, 'L');
  SettleKeyTaps();
  Send(WM_KEYUP, 'L');
  EXPECT_EQ(keyState.slot[LetterKey('L')], 0);
  // Two taps before one step still act once: down at the step, up after it.
  Send(WM_KEYDOWN, VK_F1);
  Send(WM_KEYUP, VK_F1);
  Send(WM_KEYDOWN, VK_F1);
  Send(WM_KEYUP, VK_F1);
  EXPECT_EQ(keyState.slot[VK_F1], 1);
  SettleKeyTaps();
  EXPECT_EQ(keyState.slot[VK_F1], 0);
}

TEST(WindowProcedure, CodesBeyondTheKeyboardNeverReachTheLatches) {
  for (WParam code : {256u, 257u, 258u, 259u, 0x10000u}) {
    Send(WM_KEYDOWN, code);
    Send(WM_KEYUP, code);
    Send(WM_KEYDOWN, code);
  }
  EXPECT_EQ(keyState.latches.fullscreen, 0);
  EXPECT_EQ(keyState.latches.lighting, 0);
  EXPECT_EQ(keyState.latches.lightingSwitch, 0);
}

TEST(WindowProcedure, RightButtonCountsPressesMinusReleases) {
  EXPECT_EQ(Send(WM_RBUTTONUP), 0);  // a release whose press went elsewhere
  EXPECT_EQ(cameraState.climbButton, -1.0f);
  Send(WM_RBUTTONDOWN);
  EXPECT_EQ(cameraState.climbButton, 0.0f);
  Send(WM_RBUTTONDOWN);
  Send(WM_RBUTTONDOWN);
  EXPECT_EQ(cameraState.climbButton, 2.0f);
  EXPECT_EQ(DefaultCalls(), 0);
}

TEST(WindowProcedure, LeftAndMiddleButtonsAreSwallowed) {
  for (unsigned message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MBUTTONDOWN}) EXPECT_EQ(Send(message), 0);
  EXPECT_EQ(DefaultCalls(), 0);
  EXPECT_EQ(cameraState.climbButton, 0.0f);
}

TEST(WindowProcedure, EverythingElseGetsTheDefaultHandling) {
  const unsigned others[] = {WM_MOUSEMOVE, WM_MBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK,
                             WM_SYSKEYDOWN, WM_SYSKEYUP, WM_CHAR};
  for (unsigned message : others) Send(message, 'X');
  EXPECT_EQ(DefaultCalls(), (int)std::size(others));
  // System keys (Alt held, F10) are not recorded as held keys.
  EXPECT_EQ(keyState.slot[LetterKey('X')], 0);
}
