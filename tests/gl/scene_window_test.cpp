// Opening and closing the scene window: every failure with its box and what
// it releases in which order, the fullscreen question, the release errors,
// and the projection that a client size gets.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/scene_window.h"
#include "support/recording_platform.h"

namespace {

const std::vector<std::string> releaseCalls = {
    "ChangeDisplayMode", "ShowMouseCursor", "MakeRenderingContextCurrent", "DeleteRenderingContext",
    "ReleaseDeviceContext", "DestroyPlatformWindow", "UnregisterWindowClass", "ShowMessageBox"};

int Open(unsigned char fullscreen = 1) { return OpenSceneWindow("Talmir", 1024, 768, 16, fullscreen); }

// The calls made from the first call of `from` on, keeping only `names`.
std::vector<std::string> CallsFrom(const std::string &from, const std::vector<std::string> &names) {
  std::vector<std::string> all = RecordedCallNames();
  auto start = std::find(all.begin(), all.end(), from);
  std::vector<std::string> kept;
  for (auto it = start == all.end() ? all.end() : start + 1; it != all.end(); ++it)
    if (std::find(names.begin(), names.end(), *it) != names.end()) kept.push_back(*it);
  return kept;
}

bool HasCall(const std::string &line) {
  const auto &calls = RecordedCalls();
  return std::find(calls.begin(), calls.end(), line) != calls.end();
}

// The box asked for as the nth (from 0): its text, caption and type.
void ExpectBox(size_t nth, const std::string &text, const std::string &caption, unsigned type) {
  ASSERT_GT(RecordedMessageBoxes().size(), nth);
  const RecordedMessageBox &box = RecordedMessageBoxes()[nth];
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.caption, caption);
  EXPECT_EQ(box.type, type);
}

void ExpectOpeningBox(const std::string &text) {
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  ExpectBox(0, text, "ERROR", MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(RecordedMessageBoxes()[0].owner, nullptr);
}

void ExpectAllReleased() {
  EXPECT_EQ(LiveWindowCount(), 0);
  EXPECT_FALSE(DisplayModeChanged());
  EXPECT_EQ(windowContext.windowHandle, nullptr);
  EXPECT_EQ(windowContext.deviceContext, nullptr);
  EXPECT_EQ(windowContext.renderingContext, nullptr);
  EXPECT_TRUE(RegisteredTestClasses().empty());
}

struct OpeningFailure {
  const char *failingCall;
  const char *text;
  std::vector<std::string> releases;  // from the failing call to the box
};

void PrintTo(const OpeningFailure &failure, std::ostream *out) { *out << failure.failingCall << " fails"; }

class OpeningFailureTest : public testing::TestWithParam<OpeningFailure> {};

}  // namespace

TEST_P(OpeningFailureTest, ReleasesEverythingBeforeTheBox) {
  const OpeningFailure &failure = GetParam();
  FailPlatformCall(failure.failingCall);
  EXPECT_EQ(Open(), 0);
  ExpectOpeningBox(failure.text);
  EXPECT_EQ(CallsFrom(failure.failingCall, releaseCalls), failure.releases);
  ExpectAllReleased();
}

INSTANTIATE_TEST_SUITE_P(
    EveryStepAfterTheDisplayMode, OpeningFailureTest,
    testing::Values(
        OpeningFailure{"CreatePlatformWindow", "Window Creation Error.",
                       {"ChangeDisplayMode", "ShowMouseCursor", "UnregisterWindowClass", "ShowMessageBox"}},
        OpeningFailure{"GetDeviceContext", "Can't Create A GL Device Context.",
                       {"ChangeDisplayMode", "ShowMouseCursor", "DestroyPlatformWindow", "UnregisterWindowClass",
                        "ShowMessageBox"}},
        OpeningFailure{"ChoosePixelFormat", "Can't Find A Suitable PixelFormat.",
                       {"ChangeDisplayMode", "ShowMouseCursor", "ReleaseDeviceContext", "DestroyPlatformWindow",
                        "UnregisterWindowClass", "ShowMessageBox"}},
        OpeningFailure{"SetPixelFormat", "Can't Set The PixelFormat.",
                       {"ChangeDisplayMode", "ShowMouseCursor", "ReleaseDeviceContext", "DestroyPlatformWindow",
                        "UnregisterWindowClass", "ShowMessageBox"}},
        OpeningFailure{"CreateRenderingContext", "Can't Create A GL Rendering Context.",
                       {"ChangeDisplayMode", "ShowMouseCursor", "ReleaseDeviceContext", "DestroyPlatformWindow",
                        "UnregisterWindowClass", "ShowMessageBox"}},
        OpeningFailure{"MakeRenderingContextCurrent", "Can't Activate The GL Rendering Context.",
                       {"ChangeDisplayMode", "ShowMouseCursor", "MakeRenderingContextCurrent",
                        "DeleteRenderingContext", "ReleaseDeviceContext", "DestroyPlatformWindow",
                        "UnregisterWindowClass", "ShowMessageBox"}}),
    [](const testing::TestParamInfo<OpeningFailure> &info) { return std::string(info.param.failingCall); });

TEST(SceneWindowOpening, MakesEachObjectWithItsValuesInOrder) {
  ASSERT_EQ(Open(), 1);
  const std::vector<std::string> expected = {
      "GetProgramInstance",
      "RegisterWindowClass name=OpenGL style=0x23 icon=32517 cursor=32512",
      "ChangeDisplayMode 1024x768x16 fields=0x1c0000 flags=0x4",
      "ShowMouseCursor 0",
      "CreatePlatformWindow class=OpenGL title=Talmir style=0x86000000 exStyle=0x40000 at=0,0 size=1024x768 "
      "parent=none instance=yes",
      "GetDeviceContext",
      "ChoosePixelFormat size=40 version=1 flags=0x25 type=0 colour=16 alpha=0 accum=0 depth=16 stencil=0 aux=0 "
      "layer=0",
      "SetPixelFormat 1",
      "CreateRenderingContext",
      "MakeRenderingContextCurrent context",
      "ShowPlatformWindow 5",
      "BringWindowToFront",
      "SetInputFocus"};
  std::vector<std::string> calls = RecordedCalls();
  calls.erase(std::remove_if(calls.begin(), calls.end(),
                             [](const std::string &c) { return c.rfind("PlaySoundFile", 0) == 0; }),
              calls.end());
  calls.resize(std::min(calls.size(), expected.size()));
  EXPECT_EQ(calls, expected);
  EXPECT_TRUE(TestWindowIsFullscreen());
  EXPECT_TRUE(DisplayModeChanged());
  EXPECT_EQ(CursorShowCount(), -1);
  EXPECT_NE(GetCurrentRenderingContext(), nullptr);
  EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST(SceneWindowOpening, RegisterFailureReleasesNothing) {
  FailPlatformCall("RegisterWindowClass");
  EXPECT_EQ(Open(), 0);
  ExpectOpeningBox("Failed To Register The Window Class.");
  EXPECT_EQ(RecordedCallNames(), (std::vector<std::string>{"GetProgramInstance", "RegisterWindowClass",
                                                           "ShowMessageBox"}));
}

TEST(SceneWindowOpening, YesToTheQuestionOpensA1024x768ClientWindowAtTheOrigin) {
  SetFullscreenModeAvailable(false);
  ScriptMessageBoxAnswers({IDYES});
  ASSERT_EQ(Open(), 1);
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  ExpectBox(0, "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?",
            "Kvel GL", MB_YESNO | MB_ICONEXCLAMATION);
  EXPECT_EQ(windowContext.fullscreen, 0);
  EXPECT_FALSE(TestWindowIsFullscreen());
  EXPECT_TRUE(HasCall("CreatePlatformWindow class=OpenGL title=Talmir style=0x6cf0000 exStyle=0x40100 at=0,0 "
                      "size=1040x807 parent=none instance=yes"));
  // The viewport says what client size the window reported at creation.
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1024);
  EXPECT_EQ(viewport[3], 768);
  EXPECT_EQ(CursorShowCount(), -1);
  // A windowed close neither restores a mode nor shows the cursor again.
  ResetRecording();
  CloseSceneWindow();
  EXPECT_TRUE(RecordedCallNames({"ChangeDisplayMode", "ShowMouseCursor"}).empty());
  EXPECT_EQ(CursorShowCount(), -1);
}

TEST(SceneWindowOpening, NoOrNoAnswerEndsWithTheClassLeftRegistered) {
  for (int answer : {(int)IDNO, 0}) {
    SetFullscreenModeAvailable(false);
    ResetRecording();
    ScriptMessageBoxAnswers({answer});
    EXPECT_EQ(Open(), 0);
    ASSERT_EQ(RecordedMessageBoxes().size(), 2u);
    ExpectBox(1, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONSTOP);
    EXPECT_EQ(LiveWindowCount(), 0);
    EXPECT_EQ(RegisteredTestClasses(), std::vector<std::string>{"OpenGL"});
    EXPECT_TRUE(RecordedCallNames({"ShowMouseCursor", "CreatePlatformWindow"}).empty());
    UnregisterWindowClass("OpenGL", GetProgramInstance());  // as the next run starts afresh
  }
}

TEST(SceneWindowClosing, ReleasesInReverseOrderOfOpening) {
  ASSERT_EQ(Open(), 1);
  ResetRecording();
  CloseSceneWindow();
  EXPECT_EQ(RecordedCallNames(releaseCalls),
            (std::vector<std::string>{"ChangeDisplayMode", "ShowMouseCursor", "MakeRenderingContextCurrent",
                                      "DeleteRenderingContext", "ReleaseDeviceContext", "DestroyPlatformWindow",
                                      "UnregisterWindowClass"}));
  EXPECT_EQ(CursorShowCount(), 0);
  ExpectAllReleased();
  // Nothing is released twice: a second close only unregisters (and fails at it).
  ResetRecording();
  CloseSceneWindow();
  EXPECT_EQ(RecordedCallNames(releaseCalls),
            (std::vector<std::string>{"ChangeDisplayMode", "ShowMouseCursor", "UnregisterWindowClass",
                                      "ShowMessageBox"}));
}

TEST(SceneWindowClosing, EachReleaseFailureIsReportedAndTheReleaseGoesOn) {
  ASSERT_EQ(Open(), 1);
  ResetRecording();
  for (const char *call : {"MakeRenderingContextCurrent", "DeleteRenderingContext", "ReleaseDeviceContext",
                           "DestroyPlatformWindow", "UnregisterWindowClass"})
    FailPlatformCall(call);
  CloseSceneWindow();
  std::vector<std::string> texts;
  for (const RecordedMessageBox &box : RecordedMessageBoxes()) {
    texts.push_back(box.text);
    EXPECT_EQ(box.caption, "SHUTDOWN ERROR");
    EXPECT_EQ(box.type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(box.owner, nullptr);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Release Of DC And RC Failed.", "Release Rendering Context Failed.",
                                             "Release Device Context Failed.", "Could Not Release hWnd.",
                                             "Could Not Unregister Class."}));
  EXPECT_EQ(windowContext.renderingContext, nullptr);
  EXPECT_EQ(windowContext.deviceContext, nullptr);
  EXPECT_EQ(windowContext.windowHandle, nullptr);
  EXPECT_EQ(windowContext.instanceHandle, nullptr);
}

// ---- the projection

namespace {

// Column-major product a * b, as GL multiplies matrices onto the current one.
void Multiply(const double a[16], const double b[16], double out[16]) {
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      out[column * 4 + row] = sum;
    }
}

// The orthographic box times the perspective, as the window's projection.
void ExpectedProjection(double left, double right, double bottom, double top, double out[16]) {
  double ortho[16] = {2 / (right - left), 0, 0, 0, 0, 2 / (top - bottom), 0, 0, 0, 0, -2.0 / 200, 0,
                      -(right + left) / (right - left), -(top + bottom) / (top - bottom), 0, 1};
  double f = 1 / std::tan(0.5 * M_PI / 180), nearZ = 1.33, farZ = 1.0;
  double perspective[16] = {f, 0, 0, 0, 0, f, 0, 0, 0, 0, (farZ + nearZ) / (nearZ - farZ), -1,
                            0, 0, 2 * farZ * nearZ / (nearZ - farZ), 0};
  Multiply(ortho, perspective, out);
}

void ExpectProjection(double left, double right, double bottom, double top) {
  double expected[16];
  ExpectedProjection(left, right, bottom, top, expected);
  GLfloat actual[16];
  glGetFloatv(GL_PROJECTION_MATRIX, actual);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4 * (1 + std::fabs(expected[i]))) << i;
  GLint mode;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace

TEST(ResizeScene, WideAndTallClientAreasGetTheBoxTimesThePerspective) {
  ASSERT_TRUE(MakeTestGLContextCurrent());
  ResizeScene(1024, 768);
  ExpectProjection(-400.0 / 3, 400.0 / 3, -100, 100);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1024);
  EXPECT_EQ(viewport[3], 768);
  ResizeScene(600, 800);
  ExpectProjection(-100, 100, -400.0 / 3, 400.0 / 3);
}

TEST(ResizeScene, EmptyClientAreasDoNotFault) {
  ASSERT_TRUE(MakeTestGLContextCurrent());
  for (auto size : {std::pair{0, 0}, std::pair{0, 768}, std::pair{1024, 0}}) {
    ResizeScene(size.first, size.second);
    GLfloat matrix[16];
    glGetFloatv(GL_PROJECTION_MATRIX, matrix);
    for (float value : matrix) EXPECT_TRUE(std::isfinite(value));
  }
  ResizeScene(1024, 0);  // a height of 0 counts as 1
  ExpectProjection(-102400, 102400, -100, 100);
}

TEST(ResizeScene, SizeMessagesReachTheProjection) {
  ASSERT_EQ(Open(), 1);
  QueueTestMessage(WM_SIZE, 0, (LParam)(600 | (800 << 16)));
  Message message;
  ASSERT_TRUE(PeekPlatformMessage(&message, nullptr, 0, 0, PM_REMOVE));
  DispatchPlatformMessage(&message);
  ExpectProjection(-100, 100, -400.0 / 3, 400.0 / 3);
}
