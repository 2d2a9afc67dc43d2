// Boards as data in the window's logic, on the simulated board: every preset and a user's own
// description program, verify, read, and work on the EEPROM and fuses at normal and fast speed
// without a timing violation; a board chosen by name is found as the Part's discovery finds it;
// "Vdd Enable" follows what the board can do; the board test guides, reads back and reports.
#include <gtest/gtest.h>

#include "boards/board_file.h"
#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

// A board as a user might wire it: Vpp on STROBE (inverted by the port), Vdd on two data pins at
// once, clock and data inverted by the board, data in on BUSY, a loop-back from INIT to PAPER-OUT.
std::shared_ptr<const BoardDescription> Users_Board(const std::string& vdd = "~D2 D6") {
  const BoardFile f = Parse_Board_Text("[bench]\nvpp = STROBE\nvdd = " + vdd +
                                           "\nclock = ~D1\ndata-out = ~D0\ndata-in = BUSY\n"
                                           "loop-back = INIT ~PAPER-OUT\n" +
                                           (vdd == "fixed" ? "" : "idle = vdd-off\n"),
                                       "bench.board");
  EXPECT_TRUE(f.problems.empty()) << f.Problems_Text();
  return f.boards.at(0);
}

TEST(DescribedBoardsTest, EveryBoardRunsEveryCommandWithoutAViolation) {
  const std::shared_ptr<const BoardDescription> boards[] = {
      Builtin_Board("tait"), Builtin_Board("p16pro40"), Users_Board(), Brannock_Board(),
      Tessel_Board()};
  for (const auto& board : boards) {
    for (SpeedKind speed : {kNormalSpeed, kFastSpeed}) {
      SCOPED_TRACE(board->name + (speed == kFastSpeed ? " fast" : " normal"));
      SimWindow w({.described = board});
      w.Start();
      EXPECT_EQ(w.win.status("Device"), "Device : PIC16f84 (561)");
      if (speed == kFastSpeed) w.win.Click(Ctl::Menu_Options_Fast);
      ASSERT_TRUE(w.Load(kDemo84));
      for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device,
                     Ctl::Btn_Read_EEPROM, Ctl::Btn_Check_Device_Fuses, Ctl::Btn_Erase_EEPROM,
                     Ctl::Btn_Prog_EEPROM, Ctl::Btn_Prog_Fuses}) {
        EXPECT_TRUE(w.win.Click(id)) << w.win.control(id).caption;
      }
      EXPECT_TRUE(w.view.boxes.empty()) << w.view.boxes.front();
      EXPECT_NE(w.win.log().find("Verify detected : 0 errors\r\n"), std::string::npos);
      for (int a = 0; a <= w.st.LastProgramAddress; ++a) {
        ASSERT_EQ(w.chip.program(a), w.st.ProgramImage[a]) << "address " << a;
      }
      for (int i = 0; i < w.st.EepromCount; ++i) EXPECT_EQ(w.chip.eeprom(i), w.st.EepromImage[i]);
      EXPECT_EQ(w.chip.config(), w.st.ConfigWord);
      EXPECT_TRUE(w.chip.violations().empty()) << w.chip.violations()[0].what;
      EXPECT_EQ(w.lines.refused_accesses(), 0);
    }
  }
}

TEST(DescribedBoardsTest, TheTesselBoardChosenByNameIsFoundAsDiscoveryFindsIt) {
  auto run = [](std::shared_ptr<const BoardDescription> chosen) {
    SimWindow w({.board = kTessel});
    w.st.BoardChoice = chosen;
    w.Start();
    EXPECT_TRUE(w.Load(kDemo84));
    EXPECT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
    EXPECT_EQ(w.st.BoardVariant, kTessel);
    EXPECT_TRUE(w.win.control(Ctl::Btn_RESET).enabled);
    return w.trace.accesses;
  };
  const auto found = run(nullptr);
  const auto chosen = run(Tessel_Board());
  ASSERT_EQ(chosen.size(), found.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    ASSERT_TRUE(chosen[i].t_ns == found[i].t_ns && chosen[i].address == found[i].address &&
                chosen[i].value == found[i].value && chosen[i].write == found[i].write)
        << "access " << i;
  }
}

TEST(DescribedBoardsTest, DiscoveryFindsOnlyTheBoardChosenAndVddEnableFollowsIt) {
  struct Case {
    std::shared_ptr<const BoardDescription> simulated;
    std::shared_ptr<const BoardDescription> chosen;
    bool found;
    int vdd;
    bool vdd_enabled;
  };
  const auto fixed = Users_Board("fixed");
  const Case cases[] = {
      {Brannock_Board(), nullptr, true, kChecked, true},
      {Tessel_Board(), nullptr, true, kGrayed, true},  // the Part's grey box, still clickable
      {Builtin_Board("tait"), Builtin_Board("tait"), true, kChecked, true},
      {fixed, fixed, true, kGrayed, false},
      // The data line's loop through the board cannot tell a Tait board from a Brannock one
      // (both inverted, or neither): the board test can.
      {Brannock_Board(), Builtin_Board("tait"), true, kChecked, true},
      {Brannock_Board(), Users_Board(), false, kChecked, true},  // data in on another pin
      {Users_Board(), nullptr, false, kChecked, true},
      {Brannock_Board(), Tessel_Board(), false, kChecked, true},  // no loop-back answers
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.simulated->name + " chosen " + (c.chosen ? c.chosen->name : "none"));
    SimWindow w({.described = c.simulated});
    w.st.BoardChoice = c.chosen;
    w.Start();
    EXPECT_EQ(w.st.PortBase != 0, c.found);
    EXPECT_EQ(w.view.boxes.size(), c.found ? 0u : 1u);
    EXPECT_EQ(w.win.control(Ctl::Check_Vdd).value, c.vdd);
    EXPECT_EQ(w.win.control(Ctl::Check_Vdd).enabled, c.vdd_enabled);
    EXPECT_EQ(
        w.win.control(Ctl::Check_Vdd).tool_tip,
        c.vdd_enabled ? "" : "Vdd is not switched by this board (bench): the chip stays powered");
    // A board not found is left as it was: the kept register bytes written back.
    if (!c.found) {
      EXPECT_EQ(w.board.data_register(), 0x00);
    }
  }
}

TEST(DescribedBoardsTest, UseBoardRunsDiscoveryAgainForTheBoardChosen) {
  const auto bench = Users_Board();
  SimWindow w({.described = bench});
  w.st.BoardChoice = nullptr;
  w.Start();
  ASSERT_EQ(w.st.PortBase, 0);  // looked for the Brannock or Tessel board
  EXPECT_TRUE(w.win.Use_Board(bench));
  EXPECT_EQ(w.st.PortBase, kLpt1);
  EXPECT_EQ(w.st.BoardVariant, kOtherBoard);
  EXPECT_TRUE(w.win.control(Ctl::Btn_Read_Device).enabled);
  EXPECT_FALSE(w.win.control(Ctl::Btn_RESET).enabled);
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Check_Device_Id));
  EXPECT_EQ(w.win.status("Device"), "Device : PIC16f84 (561)");
}

// The board test with answers from the user (RecordingView) or the simulated board's meter.
struct BoardTestRun {
  explicit BoardTestRun(SimSetup setup = {}) : w(setup) { w.Start(); }
  bool Run() {
    mark = w.win.log().size();
    return w.win.Board_Test();
  }
  std::string Log() const { return w.win.log().substr(mark); }
  SimWindow w;
  std::size_t mark = 0;
};

TEST(BoardTestTest, GuidesOneLineAtATimeAndEndsAtRestWithASummary) {
  BoardTestRun t;
  for (int i = 0; i < 8; ++i) t.w.view.answers.push_back(Answer::kYes);
  ASSERT_TRUE(t.Run());
  ASSERT_EQ(t.w.view.prompts.size(), 8u);
  EXPECT_EQ(t.w.view.prompts[3],
            "Vpp on: MCLR (pin 4 of an 18-pin chip's socket, pin 1 of a 40-pin one) should read "
            "12 to 14 V now; press Enter");
  const std::string log = t.Log();
  EXPECT_EQ(log.rfind("Board test : brannock (Brannock hardware), LPT1 (0x378)\r\n", 0), 0u);
  EXPECT_NE(log.find("Data in with data out high: reads 1, follows\r\n"
                     "Data in with data out low: reads 0, follows\r\n"
                     "All lines at rest : Vpp off, Vdd on, clock low, data low\r\n"),
            std::string::npos);
  EXPECT_NE(log.find("Board test summary :\r\n  Vdd on: confirmed\r\n"), std::string::npos);
  EXPECT_NE(log.find("Board test : every line followed (10 checks)\r\n"), std::string::npos);
  // At rest on the Brannock hardware: Vpp off (D3 set), Vdd on (D2), clock and data low (D1, D0).
  EXPECT_EQ(t.w.board.data_register() & 0x0F, 0x0F);
  EXPECT_TRUE(t.w.view.boxes.empty());
  EXPECT_TRUE(t.w.chip.violations().empty());
}

TEST(BoardTestTest, ReportsTheLinesThatDidNotFollow) {
  struct Case {
    SimSetup setup;
    std::vector<Answer> answers;
    const char* fault;  // none, "low": the data line stuck low
    bool meter;
    std::string verdict;
  };
  const auto yes = Answer::kYes;
  const auto no = Answer::kNo;
  const Case cases[] = {
      {{}, {yes, yes, yes, no, yes, yes, yes, yes}, nullptr, false, "did not follow: Vpp"},
      {{},
       {yes, no, yes, yes, Answer::kStop},
       nullptr,
       false,
       "stopped after 4 of 10 checks; did not follow: Vdd"},
      {{}, {}, "low", true, "did not follow: data out (RB7), data in"},
      {{.board = kTessel}, {}, nullptr, true, "every line followed (10 checks)"},
      {{.described = Users_Board()}, {}, nullptr, true, "every line followed (11 checks)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.verdict);
    BoardTestRun t(c.setup);
    t.w.view.answers.assign(c.answers.begin(), c.answers.end());
    sim::BoardMeter meter(t.w.board);
    if (c.meter) t.w.win.Set_Line_Meter(&meter);
    if (c.fault != nullptr) t.w.board.set_stuck_data(0);
    const bool ok = c.verdict.rfind("every", 0) == 0;
    EXPECT_EQ(t.Run(), ok);
    EXPECT_NE(t.Log().find("Board test : " + c.verdict + "\r\n"), std::string::npos) << t.Log();
    if (ok) {
      EXPECT_TRUE(t.w.view.boxes.empty());
    } else {
      EXPECT_EQ(t.w.view.boxes.back(), "Board test: " + c.verdict);
    }
    if (c.meter) {
      EXPECT_TRUE(t.w.view.prompts.empty()) << "the simulated board measures itself";
    }
    // Vpp is off at the end whatever happened (with the loop-back, the Tessel board's reset).
    EXPECT_FALSE(t.w.board.socket_pins().vpp);
    EXPECT_TRUE(t.w.chip.violations().empty()) << t.w.chip.violations()[0].what;
  }
}

TEST(BoardTestTest, RunsOnTheDefaultPortWhenNoBoardWasFound) {
  BoardTestRun t({.base = kLpt2});
  t.w.board.set_stuck_data(1);
  t.w.Start();  // nothing found: the data line never goes low
  ASSERT_EQ(t.w.st.PortBase, 0);
  sim::BoardMeter meter(t.w.board);
  t.w.win.Set_Line_Meter(&meter);
  t.w.win.Set_Default_Port(kLpt2);
  EXPECT_FALSE(t.Run());
  EXPECT_NE(t.Log().find("LPT2 (0x278)"), std::string::npos);
  EXPECT_NE(t.Log().find("Board test : did not follow: data out (RB7), data in\r\n"),
            std::string::npos);
  EXPECT_EQ(t.w.st.PortBase, 0) << "still no board found";
  EXPECT_EQ(t.w.board.data_register() & 0x0F, 0x0F);
}

}  // namespace
}  // namespace corvane::testing
