// Breaches of the chip's timings reach the user: after each command that caused any, a message box
// with their number and the first of them, and the command counts as failed.
#include <gtest/gtest.h>

#include "sim/board_violations.h"
#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";
const std::string kDriven =
    "MCLR reached Vpp while the chip's program drove the clock and data lines high: "
    "programming mode not entered";

TEST(ViolationReportTest, SourceHandsOutOnlyWhatIsNewFromTheChipInTheSocket) {
  VirtualClock clock;
  sim::Board board(kBrannock, clock, kLpt1);
  sim::BoardViolations source(board);
  EXPECT_EQ(source.Take_New().count, 0) << "empty socket";
  sim::Chip chip(sim::ChipKind::Pic16F84A);
  board.insert(&chip);
  board.write(kLpt1, 0x0C);  // powered, Vpp removed
  chip.set_program_drives_lines(true);
  for (int i = 0; i < 2; ++i) {
    board.write(kLpt1, 0x0F);  // clock and data low, as far as the host can make them
    board.write(kLpt1, 0x07);  // Vpp while the program drives the lines
  }
  ViolationReport r = source.Take_New();
  EXPECT_EQ(r.count, 2);
  EXPECT_EQ(r.first, kDriven);
  EXPECT_EQ(source.Take_New().count, 0);
  board.write(kLpt1, 0x0F);
  board.write(kLpt1, 0x07);
  EXPECT_EQ(source.Take_New().count, 1);

  sim::Chip other(sim::ChipKind::Pic16F877);
  board.insert(&other);
  EXPECT_EQ(source.Take_New().count, 0) << "a new chip starts its own count";
  chip.clear_violations();
}

TEST(ViolationReportTest, EachCommandThatBreaksATimingEndsWithAMessageBox) {
  SimWindow w;
  sim::BoardViolations source(w.board);
  w.win.Set_Violation_Source(&source);
  w.Start();
  EXPECT_TRUE(w.view.boxes.empty());
  ASSERT_TRUE(w.Load(kDemo84));
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Verify));
  EXPECT_TRUE(w.view.boxes.empty()) << "the system's own sequences break no timing";

  w.chip.set_program_drives_lines(true);
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Check_Device_Id));
  ASSERT_EQ(w.view.boxes.size(), 1u);
  EXPECT_EQ(w.view.boxes[0], "simulated chip: 1 timing violations, first: " + kDriven);
  EXPECT_FALSE(w.win.busy()) << "reported after the operation";

  w.chip.set_program_drives_lines(false);
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Check_Device_Id));
  EXPECT_EQ(w.view.boxes.size(), 1u) << "nothing new, nothing said";
}

TEST(ViolationReportTest, ARunningProgramNeverLetsProgrammingPassSilently) {
  for (BoardKind board : {kBrannock, kTessel}) {
    SimWindow w({board, true, sim::ChipKind::Pic16F84A, kLpt1});
    sim::BoardViolations source(w.board);
    w.win.Set_Violation_Source(&source);
    w.chip.set_program_drives_lines(true);
    w.Start();
    ASSERT_TRUE(w.Load(kDemo84));
    EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
    ASSERT_FALSE(w.view.boxes.empty());
    EXPECT_EQ(w.view.boxes.back().rfind("simulated chip: ", 0), 0u) << w.view.boxes.back();
    EXPECT_EQ(w.chip.program(0), 0x3FFF) << "nothing was written";
  }
}

}  // namespace
}  // namespace corvane::testing
