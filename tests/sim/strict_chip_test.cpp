// The simulated chip as strict as the datasheets: writes with no new load, commands a chip does
// not have, leaving programming mode the wrong way, the Tessel board's Vpp rise, and a chip whose
// own program drives the clock and data lines.
#include <gtest/gtest.h>

#include "protocol/block.h"
#include "protocol/transfer.h"
#include "sim/timing.h"
#include "sim_bench.h"

namespace corvane::sim {
namespace {

bool Has(const Chip& chip, const std::string& text) {
  return Violations(chip).find(text) != std::string::npos;
}

TEST(StrictChipTest, BeginProgrammingWithoutANewLoadRewritesTheOldLatchAndIsFlagged) {
  RawHost h;
  h.enter();
  h.command(2);
  h.load(0x0155);
  h.command(8);
  h.clock.advance(kProgramWordNs);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
  h.command(6);
  h.command(8);  // no Load since the last write
  h.clock.advance(kProgramWordNs);
  h.leave();
  EXPECT_EQ(h.chip.program(1), 0x0155) << "the silicon writes the latch it still holds";
  ASSERT_EQ(h.chip.violations().size(), 1u) << Violations(h.chip);
  EXPECT_TRUE(Has(h.chip,
                  "no Load since the previous write: the old latch is written again at "
                  "0x0001"));
}

TEST(StrictChipTest, Command24IsBeginProgrammingOnlyExceptOnThe16F84) {
  for (ChipKind kind : {ChipKind::Pic16F84, ChipKind::Pic16F84A}) {
    RawHost h(kind);
    h.chip.set_program(0, 0x3FF0);
    h.enter();
    h.command(2);
    h.load(0x0F0F);
    h.command(24);
    h.clock.advance(kProgramWordNs16F84);
    h.leave();
    if (kind == ChipKind::Pic16F84) {
      EXPECT_EQ(h.chip.program(0), 0x3FF0) << "ignored";
      EXPECT_TRUE(Has(h.chip, "command 24 (Begin Programming Only) sent to a PIC16F84"));
    } else {
      EXPECT_EQ(h.chip.program(0), 0x3FF0 & 0x0F0F) << "programmed without an erase";
      EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
    }
  }
}

TEST(StrictChipTest, LeavingProgrammingModeTakesVppFirstAndTheClockLow) {
  RawHost vdd_first;
  vdd_first.enter();
  vdd_first.put(0x03, 10'000);  // Vdd removed, Vpp still applied
  EXPECT_FALSE(vdd_first.chip.in_programming_mode());
  EXPECT_TRUE(Has(vdd_first.chip, "Vdd removed while MCLR was at Vpp"));

  RawHost together;  // the cable pulled: both supplies at once is a power loss, not a wrong order
  together.enter();
  together.put(0x0B, 10'000);
  together.put(0x03, 10'000);  // Vpp back
  together.put(0x0B, 10'000);
  EXPECT_TRUE(together.chip.violations().empty()) << Violations(together.chip);

  RawHost clock_high;
  clock_high.enter();
  clock_high.clock_high(10'000);
  clock_high.leave();
  EXPECT_FALSE(clock_high.chip.in_programming_mode());
  EXPECT_TRUE(Has(clock_high.chip, "Vpp removed with the clock high"));

  RawHost data_high;  // the Parts' commands end with the data line released: no clock, no harm
  data_high.enter();
  data_high.set_data(1, 10'000);
  data_high.leave();
  EXPECT_TRUE(data_high.chip.violations().empty()) << Violations(data_high.chip);
}

TEST(StrictChipTest, TesselVppRiseGivesThld0AMarginAndNoLessWouldDo) {
  EXPECT_GE(kTesselVppRiseNs - kThld0Ns, 5'000);
  for (std::int64_t rise : {kTesselVppRiseNs, kThld0Ns - 1}) {
    VirtualClock clock;
    Board board(kTessel, clock, kLpt1, rise);
    Chip chip(ChipKind::Pic16F84A);
    board.insert(&chip);
    board.write(kLpt1, 0x22);  // reset, clock low, data released
    clock.advance(1'000'000);
    board.write(kLpt1, 0x00);
    board.write(kLpt1, 0x0B);  // clock and data low with Vpp switched, in one write
    clock.advance(rise);
    board.settle();
    EXPECT_TRUE(chip.in_programming_mode());
    EXPECT_EQ(Has(chip, "before MCLR reached Vpp (Thld0"), rise < kThld0Ns) << Violations(chip);
  }
}

// What each board does when the chip's program drives RB6 and RB7: programming mode is never
// entered, and the chip reads as blank.
TEST(StrictChipTest, ARunningProgramThatDrivesTheLinesIsFlaggedOnBothBoards) {
  for (BoardKind kind : {kBrannock, kTessel}) {
    SimBench b(kind, ChipKind::Pic16F84A);
    b.chip->set_program(0, 0x2805);
    b.chip->set_program_drives_lines(true);
    b.connect();
    Read_Block(b.ctx, 4);
    EXPECT_FALSE(b.chip->in_programming_mode());
    EXPECT_EQ(b.st.ReadBuffer[0], 0x3FFF) << "a wrong read, not the chip's 0x2805";
    EXPECT_TRUE(Has(*b.chip, "while the chip's program drove the clock and data lines high"))
        << Violations(*b.chip);

    b.chip->set_program_drives_lines(false);  // a program that leaves them as inputs
    b.chip->clear_violations();
    Read_Block(b.ctx, 4);
    EXPECT_EQ(b.st.ReadBuffer[0], 0x2805);
    EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
  }
}

TEST(StrictChipTest, TheProgramStopsWhileMclrIsHeldLow) {
  SimBench b(kTessel, ChipKind::Pic16F84A);
  b.chip->set_program_drives_lines(true);
  b.connect();
  EXPECT_TRUE(b.chip->drives_lines());
  EXPECT_TRUE(b.board.data_line_high());
  b.lines.Write_Data_Register(0x23);  // reset, data driven low
  EXPECT_FALSE(b.chip->drives_lines());
  EXPECT_FALSE(b.board.data_line_high());
}

}  // namespace
}  // namespace corvane::sim
