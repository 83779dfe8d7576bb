// The command line as a user meets it: what each option sets, what --help
// and --version print and where, and a wrong argument's usage and exit code;
// and the data folder found from wherever the program was started.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/main_loop.h"
#include "support/environment.h"
#include "support/run_folder.h"
#include "support/recording_platform.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int verdict;
  std::string out, err;
};

std::string Contents(std::FILE *file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += (char)c;
  std::fclose(file);
  return text;
}

// Each reading starts from the launch options of a fresh process.
Outcome ReadAs(const char *program, std::vector<const char *> arguments) {
  launchOptions = LaunchOptions{};
  arguments.insert(arguments.begin(), program);
  std::FILE *out = std::tmpfile(), *err = std::tmpfile();
  int verdict = ReadCommandLine((int)arguments.size(), arguments.data(), out, err);
  return Outcome{verdict, Contents(out), Contents(err)};
}

Outcome Read(std::vector<const char *> arguments) { return ReadAs("talmir", arguments); }

int ReadEnvironment(const char *value, std::string *said = nullptr) {
  std::FILE *err = std::tmpfile();
  int verdict = ReadScreensaverEnvironment(value, err);
  std::string text = Contents(err);
  if (said) *said = text;
  return verdict;
}

}  // namespace

TEST(CommandLine, NoArgumentsStartTheViewerFullscreen) {
  Outcome o = Read({});
  EXPECT_EQ(o.verdict, startTheViewer);
  EXPECT_EQ(launchOptions.windowed, 0);
  EXPECT_EQ(launchOptions.showFrameRate, 0);
  EXPECT_EQ(o.out + o.err, "");
}

TEST(CommandLine, WindowedFullscreenAndFpsSetTheLaunchOptionsTheLastModeWinning) {
  EXPECT_EQ(Read({"--windowed", "--fps"}).verdict, startTheViewer);
  EXPECT_EQ(launchOptions.windowed, 1);
  EXPECT_EQ(launchOptions.showFrameRate, 1);
  Read({"--windowed", "--fullscreen"});
  EXPECT_EQ(launchOptions.windowed, 0);
}

TEST(CommandLine, HelpAndVersionPrintOnStandardOutputAndEnd) {
  Outcome help = Read({"--windowed", "--help", "--bogus"});
  EXPECT_EQ(help.verdict, 0);
  EXPECT_EQ(help.err, "");
  for (const char *word : {"Usage: talmir", "--windowed", "--fullscreen", "--fps", "--version", "F1", "Esc"})
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  Outcome version = Read({"--version"});
  EXPECT_EQ(version.verdict, 0);
  EXPECT_EQ(version.out.rfind("talmir ", 0), 0u) << version.out;
  EXPECT_EQ(version.out.back(), '\n');
  EXPECT_EQ(version.out.find('\n'), version.out.size() - 1);  // one line
}

TEST(CommandLine, AWrongArgumentPrintsTheUsageOnStandardErrorAndEndsWithTwo) {
  EXPECT_EQ(Read({"--fps", "--"}).verdict, startTheViewer);  // "--" only ends the options
  for (const char *wrong : {"--bogus", "-x", "landscape", "--help=yes"}) {
    Outcome o = Read({"--", wrong});
    EXPECT_EQ(o.verdict, badUsage) << "after --: " << wrong;
    o = Read({wrong});
    EXPECT_EQ(o.verdict, badUsage) << wrong;
    EXPECT_EQ(o.out, "") << wrong;
    EXPECT_NE(o.err.find(wrong), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("Usage: talmir"), std::string::npos) << o.err;
  }
}

// XScreenSaver's modules take their options with one dash, GNU programs
// with two; the id may be decimal or hex.
TEST(CommandLine, RootAndWindowIdRunTheScreensaverInThatWindow) {
  for (std::vector<const char *> args : {std::vector<const char *>{"--window-id", "0x2a00007"},
                                         {"-window-id", "44040199"}, {"--window-id=0X2A00007"}}) {
    EXPECT_EQ(Read(args).verdict, startTheViewer) << args[0];
    EXPECT_EQ(launchOptions.saver, saverInHost) << args[0];
    EXPECT_EQ(launchOptions.hostGiven, 1) << args[0];
    EXPECT_EQ(launchOptions.hostWindow, 0x2a00007u) << args[0];
  }
  for (const char *root : {"--root", "-root"}) {
    EXPECT_EQ(Read({"--fps", root}).verdict, startTheViewer);
    EXPECT_EQ(launchOptions.saver, saverInHost);
    EXPECT_EQ(launchOptions.hostGiven, 0);
    EXPECT_EQ(launchOptions.hostWindow, hostRootWindow);
    EXPECT_EQ(launchOptions.showFrameRate, 1);
  }
  // A named window wins over --root, whichever comes first.
  Read({"--window-id", "77", "--root"});
  EXPECT_EQ(launchOptions.hostWindow, 77u);
}

TEST(CommandLine, AWindowIdThatIsNoneIsRefusedWithTheUsage) {
  for (std::vector<const char *> args :
       {std::vector<const char *>{"--window-id"}, {"--window-id", "0"}, {"--window-id", "0x"}, {"--window-id", "12ab"},
        {"--window-id", "-5"}, {"--window-id", "99999999999999999999999"}, {"--window-id=", "12"},
        {"--window-idx", "12"}}) {
    Outcome o = Read(args);
    EXPECT_EQ(o.verdict, badUsage) << args.back();
    EXPECT_NE(o.err.find("Usage: talmir"), std::string::npos) << o.err;
  }
}

// The daemon names its window in the environment; the command line's own
// window comes first, and the viewer started by hand never sees the variable.
TEST(CommandLine, XScreenSaversWindowInTheEnvironmentIsTheHost) {
  Read({"--root"});
  EXPECT_EQ(ReadEnvironment("0x400001"), startTheViewer);
  EXPECT_EQ(launchOptions.saver, saverInHost);
  EXPECT_EQ(launchOptions.hostWindow, 0x400001u);
  Read({"--window-id", "0x500"});
  EXPECT_EQ(ReadEnvironment("0x400001"), startTheViewer);
  EXPECT_EQ(launchOptions.hostWindow, 0x500u);
  Read({});
  EXPECT_EQ(ReadEnvironment(nullptr), startTheViewer);
  EXPECT_EQ(launchOptions.saver, saverOff);
  std::string said;
  EXPECT_EQ(ReadEnvironment("root", &said), badUsage);
  EXPECT_NE(said.find("XSCREENSAVER_WINDOW"), std::string::npos) << said;
}

// Windows runs a screensaver by its .scr name with /s, /p HWND, /c[:HWND],
// or nothing at all (a double click: the settings).
TEST(CommandLine, AScrFileTakesWindowsScreensaverArguments) {
  const char *scr = "C:\\Users\\Ann\\Talmir\\TALMIR.SCR";
  EXPECT_EQ(ReadAs(scr, {"/s"}).verdict, startTheViewer);
  EXPECT_EQ(launchOptions.saver, saverOnScreen);
  EXPECT_EQ(ReadAs(scr, {"-S"}).verdict, startTheViewer);
  EXPECT_EQ(launchOptions.saver, saverOnScreen);
  for (std::vector<const char *> args : {std::vector<const char *>{"/p", "1234"}, {"/P:1234"}}) {
    EXPECT_EQ(ReadAs(scr, args).verdict, startTheViewer) << args[0];
    EXPECT_EQ(launchOptions.saver, saverInHost) << args[0];
    EXPECT_EQ(launchOptions.hostWindow, 1234u) << args[0];
  }
  EXPECT_EQ(ReadAs(scr, {"/c:5678"}).verdict, startTheViewer);
  EXPECT_EQ(launchOptions.saver, saverSettings);
  EXPECT_EQ(launchOptions.hostGiven, 1);
  EXPECT_EQ(launchOptions.hostWindow, 5678u);
  for (std::vector<const char *> args : {std::vector<const char *>{}, {"/c"}}) {
    EXPECT_EQ(ReadAs(scr, args).verdict, startTheViewer);
    EXPECT_EQ(launchOptions.saver, saverSettings);
    EXPECT_EQ(launchOptions.hostGiven, 0);
  }
  // Windows' arguments mean nothing to the viewer by its own name.
  EXPECT_EQ(Read({"/s"}).verdict, badUsage);
}

TEST(CommandLine, AScrFileRefusesAPreviewWithoutAWindowAndUnknownLetters) {
  for (std::vector<const char *> args :
       {std::vector<const char *>{"/p"}, {"/p", "none"}, {"/x"}, {"/"}, {"/save"}, {"--windowed"}}) {
    Outcome o = ReadAs("talmir.scr", args);
    EXPECT_EQ(o.verdict, badUsage) << args[0];
    EXPECT_NE(o.err, "") << args[0];
  }
}

struct DataFolder : testing::Test {
  fs::path root;
  void SetUp() override {
    root = NewTestFolder("data");
    fs::create_directories(root / "elsewhere");
    fs::current_path(root / "elsewhere");
    ClearTestEnvironment("TALMIR_DATA_DIR");
  }
  void TearDown() override {
    ClearTestEnvironment("TALMIR_DATA_DIR");
    fs::current_path(root.parent_path());  // Windows keeps the current folder from removal
    fs::remove_all(root);
  }
  fs::path Data(const std::string &folder) {
    fs::create_directories(root / folder / "Tex");
    return fs::canonical(root / folder);
  }
  std::string Enter(int expected) {
    std::FILE *err = std::tmpfile();
    EXPECT_EQ(EnterDataFolder(err), expected);
    return Contents(err);
  }
};

TEST_F(DataFolder, TheNamedFolderComesFirstThenTheBuildTreeThenShareThenTheProgramsOwnThenHere) {
  fs::path named = Data("named"), build = Data("build/run"), share = Data("usr/share/talmir");
  Data("elsewhere");
  fs::create_directories(root / "usr/bin");
  SetTestEnvironment("TALMIR_DATA_DIR", named.string());
  SetTestProgramFolder((root / "build").string() + "/");
  EXPECT_EQ(Enter(1), "");
  EXPECT_EQ(fs::current_path(), named);
  ClearTestEnvironment("TALMIR_DATA_DIR");
  EXPECT_EQ(Enter(1), "");
  EXPECT_EQ(fs::current_path(), build);
  SetTestProgramFolder((root / "usr/bin").string() + "/");
  EXPECT_EQ(Enter(1), "");
  EXPECT_EQ(fs::current_path(), share);
  fs::path unzipped = Data("unzipped");  // Tex beside the program, as in the Windows zip
  SetTestProgramFolder(unzipped.string() + "/");
  fs::current_path(root / "elsewhere");
  EXPECT_EQ(Enter(1), "");
  EXPECT_EQ(fs::current_path(), unzipped);
  SetTestProgramFolder("");
  fs::current_path(root / "elsewhere");
  EXPECT_EQ(Enter(1), "");
  EXPECT_EQ(fs::current_path(), fs::canonical(root / "elsewhere"));
}

TEST_F(DataFolder, WithoutDataItSaysEveryPlaceItLookedAndStaysPut) {
  SetTestEnvironment("TALMIR_DATA_DIR", (root / "missing").string());
  SetTestProgramFolder((root / "usr/bin").string() + "/");
  std::string said = Enter(0);
  for (std::string place : {(root / "missing").string(), (root / "usr/bin/run").string(),
                            (root / "usr/share/talmir").lexically_normal().string(), (root / "elsewhere").string()})
    EXPECT_NE(said.find(place), std::string::npos) << place << " in: " << said;
  std::string programs = "\n  " + (root / "usr/bin").string() + "/\n";  // the folder itself, not only run/ in it
  EXPECT_NE(said.find(programs), std::string::npos) << said;
  EXPECT_EQ(fs::current_path(), fs::canonical(root / "elsewhere"));
}
