// test_main.cpp: the test programs' entry. Before every test the program's
// records are put back as at start, so the tests pass run whole, one by one
// and shuffled alike.
#include <gtest/gtest.h>

#include "support/program_state.h"

namespace {

class ProgramStateReset : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo &) override { ResetProgramState(); }
};

}  // namespace

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ProgramStateReset);
  return RUN_ALL_TESTS();
}
