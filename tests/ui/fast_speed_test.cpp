// The fast speed against the simulated chips: the datasheet figures with their margins break no
// timing on any chip or board, each figure alone is what keeps its step safe, and the lines never
// change sooner than the cable spacing.
#include <gtest/gtest.h>

#include "boards/board_lines.h"
#include "hardware/fast_timings.h"
#include "sim/timing.h"
#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";
const std::string kDemo877 = std::string(CORVANE_TEST_DATA) + "/pic16f877_demo_inhx32.hex";

const std::string& Demo_For(sim::ChipKind chip) {
  // The 16F877 file fills its whole program memory; the others take the small one.
  return chip == sim::ChipKind::Pic16F877 ? kDemo877 : kDemo84;
}

std::string All_Violations(const sim::Chip& chip) {
  std::string out;
  for (const sim::Violation& v : chip.violations()) out += v.what + "\n";
  return out;
}

// Start-up, "Fast programming" checked, then every command that waits on the chip.
// The small file fits every chip: the full 16F877 file runs in the tests of the lines' spacing and
// of the console program.
void Run_Every_Command(SimWindow& w) {
  w.Start();
  w.win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
  ASSERT_EQ(w.st.Speed, kFastSpeed);
  ASSERT_TRUE(w.Load(kDemo84));
  for (Ctl id :
       {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device, Ctl::Btn_Read_EEPROM,
        Ctl::Btn_Check_Device_Fuses, Ctl::Btn_Erase_EEPROM, Ctl::Btn_Prog_EEPROM,
        Ctl::Btn_Erase_Device, Ctl::Btn_Program_Device, Ctl::Btn_Verify}) {
    w.win.Click(id);
  }
}

constexpr sim::ChipKind kChips[] = {sim::ChipKind::Pic16F84, sim::ChipKind::Pic16F84A,
                                    sim::ChipKind::Pic16F873, sim::ChipKind::Pic16F877};

TEST(FastSpeedTest, ShippedTableBreaksNoTimingOnAnyChipOrBoard) {
  for (BoardKind board : {kBrannock, kTessel}) {
    for (sim::ChipKind chip : kChips) {
      SimWindow w({board, true, chip, kLpt1});
      Run_Every_Command(w);
      SCOPED_TRACE(std::string(sim::Facts(chip).name) + (board == kTessel ? " Tessel" : ""));
      EXPECT_TRUE(w.chip.violations().empty()) << All_Violations(w.chip);
      EXPECT_TRUE(w.view.boxes.empty()) << w.view.boxes.front();
      EXPECT_NE(w.win.log().find("Verify detected : 0 errors"), std::string::npos);
      EXPECT_EQ(w.chip.program(0), w.st.ProgramImage[0]);
      EXPECT_EQ(w.chip.config(), w.st.ConfigWord);
    }
  }
}

// "Fast programming" and "Low Speed" are never on together: choosing one clears the other, and the
// window shows the speed in effect.
TEST(FastSpeedTest, ChoosingOneSpeedClearsTheOtherAndTheWindowShowsIt) {
  SimWindow w;
  w.Start();
  auto speed = [&] { return w.win.control(Ctl::lblSpeed).text; };
  EXPECT_EQ(speed(), "Speed : normal");
  w.win.Click(Ctl::Menu_Options_Fast);
  EXPECT_EQ(w.st.Speed, kFastSpeed);
  EXPECT_EQ(speed(), "Speed : fast");
  w.win.Click(Ctl::Check_Speed);
  EXPECT_EQ(w.win.control(Ctl::Menu_Options_Fast).value, kUnchecked);
  EXPECT_EQ(w.st.Speed, kLowSpeed);
  EXPECT_EQ(w.st.DelayUnit, 30);
  EXPECT_EQ(speed(), "Speed : low");
  w.win.Click(Ctl::Menu_Options_Fast);
  EXPECT_EQ(w.win.control(Ctl::Check_Speed).value, kUnchecked);
  EXPECT_EQ(w.st.Speed, kFastSpeed);
  EXPECT_EQ(w.st.DelayUnit, 2);
  w.win.Click(Ctl::Menu_Options_Fast);
  EXPECT_EQ(w.st.Speed, kNormalSpeed);
  EXPECT_EQ(speed(), "Speed : normal");
}

TEST(FastSpeedTest, LinesNeverChangeSoonerThanTheCableSpacing) {
  for (BoardKind board : {kBrannock, kTessel}) {
    const sim::ChipKind chip =
        board == kBrannock ? sim::ChipKind::Pic16F877 : sim::ChipKind::Pic16F84A;
    SimWindow w({board, true, chip, kLpt1});
    w.Start();
    w.win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
    const std::size_t mark = w.trace.accesses.size();
    ASSERT_TRUE(w.Load(Demo_For(chip)));
    for (Ctl id : {Ctl::Btn_Erase_Device, Ctl::Btn_Program_Device, Ctl::Btn_Verify}) {
      w.win.Click(id);
    }
    EXPECT_TRUE(w.chip.violations().empty()) << All_Violations(w.chip);
    EXPECT_NE(w.win.log().find("Verify detected : 0 errors"), std::string::npos);
    int last_value = -1;
    std::int64_t last_change = INT64_MIN / 2;  // the change before the first one is long past
    std::int64_t closest = INT64_MAX;
    for (std::size_t i = mark; i < w.trace.accesses.size(); ++i) {
      const PortAccess& a = w.trace.accesses[i];
      if (!a.write || a.address != kLpt1) continue;
      if (last_value >= 0 && a.value != last_value) {
        closest = std::min(closest, a.t_ns - last_change);
        last_change = a.t_ns;
      }
      last_value = a.value;
    }
    EXPECT_EQ(closest, kFastTable.line_spacing_ns) << (board == kTessel ? "Tessel" : "Brannock");
  }
}

// The fast table with no margin and no cable spacing: the datasheet figures alone.
FastTable Datasheet_Only() {
  FastTable t = kFastTable;
  for (FastRow& r : t.rows) r.margin_ns = {0, 0, 0};
  t.line_spacing_ns = 0;
  return t;
}

// Start-up, then PROGRAM Device (words, EEPROM bytes, configuration word) and ERASE Device on a
// Brannock board at the fast speed with the given table; returns the violations.
std::string Program_And_Erase_With(const FastTable& table, sim::ChipKind chip) {
  SimWindow w({kBrannock, true, chip, kLpt1});
  w.lines.Set_Fast_Table(table);
  w.Start();
  w.win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
  EXPECT_TRUE(w.Load(Demo_For(chip)));
  w.win.Click(Ctl::Btn_Program_Device);
  w.win.Click(Ctl::Btn_Erase_Device);
  return All_Violations(w.chip);
}

TEST(FastSpeedTest, DatasheetFiguresAloneKeepEveryStepSafe) {
  for (sim::ChipKind chip : kChips) {
    SimWindow w({kBrannock, true, chip, kLpt1});
    w.lines.Set_Fast_Table(Datasheet_Only());
    Run_Every_Command(w);
    EXPECT_EQ(All_Violations(w.chip), "") << sim::Facts(chip).name;
    EXPECT_NE(w.win.log().find("Verify detected : 0 errors"), std::string::npos);
  }
}

TEST(FastSpeedTest, EachFigureShortenedBelowTheDatasheetIsCaughtByTheChip) {
  struct Case {
    Timing timing;
    const char* expected;
  };
  const Case cases[] = {
      {Timing::kTset1, "before the falling clock edge (Tset1"},
      {Timing::kThld1, "after the falling clock edge that latched it (Thld1"},
      {Timing::kTdly, "after the last falling edge (Tdly"},
      {Timing::kVppSetup, "before MCLR reached Vpp (Thld0"},
      {Timing::kVppHold, "after entering programming mode (Thld0"},
      {Timing::kProgramCycle, "program write"},
      {Timing::kProgramOnlyCycle, "program write"},
      {Timing::kEepromCycle, "EEPROM write"},
      {Timing::kBulkErase, "erase"},
  };
  ASSERT_EQ(std::size(cases), kFastTable.rows.size());
  for (const Case& c : cases) {
    // The cycles differ by chip: each chip's own column is shortened.
    const bool per_chip = c.timing == Timing::kProgramCycle || c.timing == Timing::kEepromCycle;
    std::vector<sim::ChipKind> chips = {sim::ChipKind::Pic16F84A};
    if (per_chip)
      chips = {sim::ChipKind::Pic16F84, sim::ChipKind::Pic16F84A, sim::ChipKind::Pic16F877};
    // The program-only write (24) is the fast program write of the chips that have it; the
    // 16F84's erase/write cycle is caught above.
    if (c.timing == Timing::kProgramOnlyCycle)
      chips = {sim::ChipKind::Pic16F84A, sim::ChipKind::Pic16F877};
    for (sim::ChipKind chip : chips) {
      const FastChip column = Fast_Chip_For(sim::Chip(chip).device_id());
      FastTable t = Datasheet_Only();
      FastRow& row = *t.row(c.timing);
      row.datasheet_ns[column] -= 1;
      const std::string found = Program_And_Erase_With(t, chip);
      SCOPED_TRACE(std::string(row.what) + " on the " + std::string(sim::Facts(chip).name));
      EXPECT_NE(found.find(c.expected), std::string::npos) << found;
    }
  }
}

// The shortest time the Brannock board's Vpp stayed off between two entries into programming mode
// (D3 set, then clear again), from the trace mark on.
std::int64_t Shortest_Vpp_Off(const SimWindow& w, std::size_t mark) {
  const BoardDescription& board = w.board.description();
  std::uint8_t data = 0;
  std::uint8_t control = 0;
  bool on = false;
  std::int64_t removed = 0;
  std::int64_t shortest = INT64_MAX;
  // The registers' values from the start; the times from the mark on.
  for (std::size_t i = 0; i < w.trace.accesses.size(); ++i) {
    const PortAccess& a = w.trace.accesses[i];
    if (!a.write || (a.address != kLpt1 && a.address != kLpt1 + 2)) continue;
    (a.address == kLpt1 ? data : control) = a.value;
    const bool now_on = Vpp_Driven(board, data, control);
    if (i >= mark && on && !now_on) removed = a.t_ns;
    if (i >= mark && !on && now_on) shortest = std::min(shortest, a.t_ns - removed);
    on = now_on;
  }
  return shortest;
}

// Every command at one speed, with "Vdd Enable" as given; returns the shortest Vpp-off time.
// On the board described (null: the Brannock hardware).
std::int64_t Shortest_Vpp_Off_At(SpeedKind speed, int vdd, const FastTable& table = kFastTable,
                                 std::shared_ptr<const BoardDescription> board = nullptr) {
  SimWindow w({kBrannock, true, sim::ChipKind::Pic16F84A, kLpt1, std::move(board)});
  w.lines.Set_Fast_Table(table);
  w.Start();
  w.win.Set_Value(Ctl::Check_Vdd, vdd);
  if (speed == kFastSpeed) w.win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
  if (speed == kLowSpeed) w.win.Set_Value(Ctl::Check_Speed, kChecked);
  const std::size_t mark = w.trace.accesses.size();
  EXPECT_TRUE(w.Load(kDemo84));
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device,
                 Ctl::Btn_Read_EEPROM, Ctl::Btn_Check_Device_Fuses, Ctl::Btn_Check_Device_Id,
                 Ctl::Btn_Erase_EEPROM, Ctl::Btn_Prog_EEPROM, Ctl::Btn_Prog_Fuses,
                 Ctl::Btn_Erase_Device, Ctl::Menu_View_Blank_Check}) {
    w.win.Click(id);
  }
  // Tests calling this run side by side: each saves to a file of its own.
  const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  EXPECT_TRUE(w.win.Save_Device_To(::testing::TempDir() + test + "_vpp_off.hex"));
  const std::string found = All_Violations(w.chip);
  if (table.vpp_off_ns == kFastTable.vpp_off_ns) {
    EXPECT_EQ(found, "");
  }
  return found.find("Vpp applied again") != std::string::npos ? -1 : Shortest_Vpp_Off(w, mark);
}

TEST(FastSpeedTest, VppStaysOffBetweenEntriesAsLongAsAtNormalSpeed) {
  std::int64_t normal = INT64_MAX;
  for (int vdd : {kChecked, kUnchecked}) {
    normal = std::min(
        {normal, Shortest_Vpp_Off_At(kNormalSpeed, vdd), Shortest_Vpp_Off_At(kLowSpeed, vdd)});
    EXPECT_GE(Shortest_Vpp_Off_At(kFastSpeed, vdd), kFastTable.vpp_off_ns);
  }
  EXPECT_GE(normal, kFastTable.vpp_off_ns) << "the normal speed's shortest Vpp-off time";
  EXPECT_GT(kFastTable.vpp_off_ns, sim::kBrannockVppFallNs) << "the simulated board's MCLR fall";
  // Without it, the lines' spacing alone brings Vpp back before the board's MCLR has fallen.
  FastTable none = kFastTable;
  none.vpp_off_ns = 0;
  EXPECT_EQ(Shortest_Vpp_Off_At(kFastSpeed, kChecked, none), -1) << "flagged by the chip";
}

// The described boards without the Tessel board's Vpp switch discharge MCLR as the Brannock
// hardware does, whatever pins drive Vpp: the fast speed waits for it there too.
TEST(FastSpeedTest, VppStaysOffOnEveryDescribedBoard) {
  FastTable none = kFastTable;
  none.vpp_off_ns = 0;
  for (const char* name : {"tait", "p16pro40"}) {
    SCOPED_TRACE(name);
    EXPECT_GE(Shortest_Vpp_Off_At(kFastSpeed, kChecked, kFastTable, Builtin_Board(name)),
              kFastTable.vpp_off_ns);
    EXPECT_EQ(Shortest_Vpp_Off_At(kFastSpeed, kChecked, none, Builtin_Board(name)), -1)
        << "flagged by the chip";
  }
}

// The shortest time from a Begin Programming (command 8) to the host's next word: the write cycle's
// wait at the fast speed, with the next command's few clocks.
std::int64_t Shortest_Cycle_Wait(const sim::Board& board) {
  const auto& events = board.events();
  std::int64_t shortest = INT64_MAX;
  for (std::size_t i = 0; i + 1 < events.size(); ++i) {
    if (events[i].kind == sim::ProtocolEvent::Command && events[i].value == 8) {
      shortest = std::min(shortest, events[i + 1].t_ns - events[i].t_ns);
    }
  }
  return shortest;
}

// A 16F84 put in the socket after a 16F84A was identified: the writes at the fast speed take the
// 16F84's 20 ms cycles, with their 10 %, from an identification read as the command begins.
TEST(FastSpeedTest, WritesTakeTheTimesOfTheChipNowInTheSocket) {
  for (Ctl command : {Ctl::Btn_Program_Device, Ctl::Btn_Prog_EEPROM, Ctl::Btn_Prog_Fuses}) {
    SimWindow w;
    w.Start();
    ASSERT_EQ(w.win.status("Device"), "Device : PIC16f84 (561)");
    w.win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
    ASSERT_TRUE(w.Load(kDemo84));
    sim::Chip older(sim::ChipKind::Pic16F84);
    w.board.insert(&older);
    w.board.clear_events();
    w.New_Log();
    EXPECT_TRUE(w.win.Click(command)) << w.win.control(command).name;
    EXPECT_EQ(All_Violations(older), "") << w.win.control(command).name;
    EXPECT_NE(w.New_Log().find("Device in the socket : PIC16f84 (3FFF), the write times follow "
                               "it\r\n"),
              std::string::npos);
    EXPECT_EQ(w.win.status("Device"), "Device : PIC16f84 (3FFF)");
    const std::int64_t wait = Shortest_Cycle_Wait(w.board);
    EXPECT_GE(wait, 22 * kMs) << "20 ms and 10 %";
    EXPECT_LT(wait, 22 * kMs + 200 * kUs) << "still the fast speed";
    // The same chip again: nothing more to say.
    w.New_Log();
    EXPECT_TRUE(w.win.Click(command));
    EXPECT_EQ(w.New_Log().find("Device in the socket"), std::string::npos);
  }
}

// The fast speed identifies the chip again before it writes: a chip put in the socket since, of a
// family this program does not write, is refused before any write.
TEST(FastSpeedTest, AChipOfAnotherFamilyFoundOnEntryIsNotWritten) {
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Prog_EEPROM}) {
    SimWindow w({.board = kTessel, .chip = sim::ChipKind::Pic16F877});
    w.Start();
    w.win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
    ASSERT_TRUE(w.Load(kDemo84));
    w.chip.set_device_id(0x1061);  // a 16F628A now, which the Tessel board cannot power first
    EXPECT_FALSE(w.win.Click(id));
    ASSERT_FALSE(w.view.boxes.empty());
    EXPECT_EQ(w.view.boxes.back(),
              "Cancelled : the PIC16f628A (62xa family) enters programming mode with Vpp before "
              "Vdd, which the board tessel (Tessel board (Dravik hardware)) cannot give: it does "
              "not switch Vdd");
    for (int a = 0; a < 8192; ++a) ASSERT_EQ(w.chip.program(a), 0x3FFF) << a;
    for (int a = 0; a < 256; ++a) ASSERT_EQ(w.chip.eeprom(a), 0xFF) << a;
  }
}

}  // namespace
}  // namespace corvane::testing
