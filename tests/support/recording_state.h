// recording_state.h: what the tests' backend keeps between its two halves,
// the system under the core (recording_platform.cpp) and the record of the
// calls the core carries out (recording_calls.cpp).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/recording_platform.h"

struct Recording {
  std::vector<std::string> calls;
  std::vector<RecordedMessageBox> boxes;
  std::map<std::string, int> callCounts;
  std::map<std::string, std::vector<int>> failAt;
  std::deque<int> boxAnswers;
  bool fullscreenAvailable = true;
  bool modeChanged = false;
  Point pointer{512, 384};  // where the test's pointer really is
  WindowHandle focus = nullptr;
  bool focusSetByTest = false;
  bool swapIntervalAccepted = false;
  int swapIntervalAsked = -1;  // none asked yet
  int refreshRate = 0;         // the display's, in Hz (0: cannot be told)
  std::map<uint64_t, Point> hostSizes;  // the hosts the test offers, by system id
  Point screenSize{1024, 768};
  WindowHandle lastParent = nullptr;
  std::function<void(int)> swapHook;
  std::string programFolder;  // none: the tests run the program's code, not its file
  int swaps = 0;
  int cursorCount = 0;
  int sounds = 0;
  bool soundPlaying = false;
  std::set<std::string> classes;
  int windowsMade = 0;
  uint32_t lastStyle = 0;
  Rect lastRect{0, 0, 0, 0};
  bool bareContextCurrent = false;  // MakeTestGLContextCurrent's, beside the core's
};

extern Recording rec;

void Record(const std::string &line);
// Counts the call and says whether the test asked it to fail.
bool Fails(const std::string &name);
