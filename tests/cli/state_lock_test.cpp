// The simulated chip's state file belongs to one run at a time: a second run on it is refused at
// once, before touching the board, as a file error; a run given up before it started leaves no
// empty state file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/runner.h"
#include "rig/board_spec.h"
#include "rig/rig.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

std::unique_ptr<Rig> Make(const std::string& board, std::string* error, RigFailure* failure,
                          const std::string& trace = "") {
  BoardSpec spec;
  if (!Parse_Board_Spec(board, &spec, error)) return nullptr;
  static WorkingState st;
  std::ostringstream diag;
  return Rig::Make(spec, trace, st, diag, error, nullptr, failure);
}

TEST(StateLockTest, ASecondRunOnTheSameStateFileIsRefusedUntilTheFirstEnds) {
  TempDir dir;
  for (const bool exists : {false, true}) {
    const std::string state = dir.Path(exists ? "kept.hex" : "new.hex");
    if (exists) dir.Write("kept.hex", ":00000001FF\n");
    const std::string board = "sim:chip=16f84a,state=" + state;
    std::string error;
    RigFailure failure = RigFailure::kUsage;
    std::unique_ptr<Rig> first = Make(board, &error, &failure);
    ASSERT_TRUE(first) << error;

    EXPECT_FALSE(Make(board, &error, &failure)) << exists;
    EXPECT_EQ(failure, RigFailure::kInUse);
    EXPECT_EQ(error, state + " is in use by another program");

    // The console program: a file error (exit 1), nothing on stdout.
    std::vector<std::string_view> args = {"--board", board, "device-id"};
    std::ostringstream out, err;
    EXPECT_EQ(Run_Cli(args, out, err, false), 1);
    EXPECT_EQ(err.str(), "corvane-cli: " + state + " is in use by another program\n");
    EXPECT_EQ(out.str(), "");

    WorkingState st;
    ASSERT_TRUE(first->Finish(st, &error)) << error;
    first.reset();
    EXPECT_TRUE(Make(board, &error, &failure)) << error;
  }
}

TEST(StateLockTest, ARunGivenUpBeforeItStartedLeavesNoStateFileOfItsOwn) {
  TempDir dir;
  const std::string state = dir.Path("s.hex");
  std::string error;
  RigFailure failure = RigFailure::kUsage;
  // The trace cannot be created: the state file made empty to be locked goes again.
  EXPECT_FALSE(Make("sim:state=" + state, &error, &failure, dir.Path("no/trace.txt")));
  EXPECT_EQ(failure, RigFailure::kUsage);
  EXPECT_FALSE(std::filesystem::exists(state));
  // An empty state file (a run that was killed) is an erased chip.
  dir.Write("s.hex", "");
  EXPECT_TRUE(Make("sim:state=" + state, &error, &failure)) << error;
}

}  // namespace
}  // namespace corvane
