// The datasheet timings the simulated chip checks, driven by a host that puts exact register
// bytes on a Brannock board at exact virtual times.
#include <gtest/gtest.h>

#include "sim/timing.h"
#include "sim_bench.h"

namespace corvane::sim {
namespace {

bool Has(const Chip& chip, const std::string& text) {
  return Violations(chip).find(text) != std::string::npos;
}

TEST(ChipTimingTest, CleanRawHostBreaksNoRule) {
  RawHost h;
  h.chip.set_program(1, 0x2ACE);
  h.enter();
  h.command(6);
  h.command(4);
  EXPECT_EQ(h.read_word(), 0x2ACE);
  h.command(2);
  h.load(0x0155);
  h.command(8);
  h.clock.advance(kProgramWordNs);
  h.command(4);
  EXPECT_EQ(h.read_word(), 0x0155);
  h.leave();
  EXPECT_EQ(h.chip.program(1), 0x0155);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST(ChipTimingTest, ProgrammingModeEntryNeedsClockAndDataHeldLow) {
  RawHost short_hold;
  short_hold.enter(2'000);
  EXPECT_TRUE(short_hold.chip.in_programming_mode());
  EXPECT_TRUE(Has(short_hold.chip, "before MCLR reached Vpp (Thld0"))
      << Violations(short_hold.chip);

  RawHost early_clock;
  early_clock.put(0x0F, 1'000);
  early_clock.put(0x07, 10'000);
  early_clock.clock_high(1'000);
  EXPECT_TRUE(Has(early_clock.chip, "first clock 1.000 us after entering programming mode"))
      << Violations(early_clock.chip);

  RawHost data_high;
  data_high.put(0x0E, 1'000);   // powered, clock low, data released
  data_high.put(0x06, 10'000);  // Vpp
  EXPECT_FALSE(data_high.chip.in_programming_mode());
  EXPECT_TRUE(Has(data_high.chip, "programming mode not entered"));
}

TEST(ChipTimingTest, VddMayFollowVppWithinFiveMicroseconds) {
  for (std::int64_t delay : {kVddAfterVppNs, kVddAfterVppNs + 1}) {
    RawHost h;
    h.put(0x0B, 1'000);   // unpowered, Vpp off, clock and data low
    h.put(0x03, 10'000);  // Vpp without Vdd
    h.put(0x07, delay);   // Vdd
    EXPECT_EQ(h.chip.in_programming_mode(), delay <= kVddAfterVppNs) << delay;
  }
}

TEST(ChipTimingTest, DataSetupAndHoldAroundTheLatchingEdge) {
  RawHost setup;
  setup.enter();
  setup.bit(1, 2'000, 50);  // data set 50 ns before the falling edge
  EXPECT_TRUE(Has(setup.chip, "data set 50 ns before the falling clock edge (Tset1"))
      << Violations(setup.chip);

  RawHost hold;
  hold.enter();
  hold.bit(1, 2'000, 1'000, 0);
  hold.set_data(0, 60);  // changed 60 ns after the edge that latched the bit
  EXPECT_TRUE(Has(hold.chip, "data changed 60 ns after the falling clock edge"))
      << Violations(hold.chip);

  // The start and stop bits of a load are don't-care, and read phases latch nothing.
  RawHost dont_care;
  dont_care.enter();
  dont_care.command(2);
  dont_care.bit(0, 2'000, 10);
  for (int i = 0; i < 14; ++i) dont_care.bit(1);
  dont_care.bit(0, 2'000, 10);
  EXPECT_TRUE(dont_care.chip.violations().empty()) << Violations(dont_care.chip);
}

// A command whose last falling edge is not followed by any pause.
void Command_Without_Pause(RawHost& h, int code) {
  for (int i = 0; i < 6; ++i) h.bit((code >> i) & 1, 2'000, 1'000, i == 5 ? 0 : 1'000);
}

TEST(ChipTimingTest, GapsBetweenCommandsAndDataPhases) {
  RawHost tdly2;
  tdly2.enter();
  Command_Without_Pause(tdly2, 6);
  tdly2.command(6, 500);
  EXPECT_TRUE(Has(tdly2.chip, "command began 500 ns after the last falling edge (Tdly2"))
      << Violations(tdly2.chip);

  RawHost tdly1;
  tdly1.enter();
  Command_Without_Pause(tdly1, 2);
  tdly1.load(0x0001, 300);
  EXPECT_TRUE(Has(tdly1.chip, "data phase began 300 ns after the last falling edge (Tdly1"))
      << Violations(tdly1.chip);

  RawHost exact;  // exactly 1 us is enough
  exact.enter();
  Command_Without_Pause(exact, 6);
  exact.command(6, 1'000);
  EXPECT_TRUE(exact.chip.violations().empty()) << Violations(exact.chip);
}

TEST(ChipTimingTest, ReadingTheLineBeforeTheChipsOutputSettles) {
  RawHost h;
  h.chip.set_program(0, 0x1555);
  h.enter();
  h.command(4);
  EXPECT_EQ(h.read_word(2'000, 80), 0x1555);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
  h.command(4);
  h.read_word(2'000, 79);
  EXPECT_TRUE(Has(h.chip, "data line read 79 ns after the chip changed its output"))
      << Violations(h.chip);
}

TEST(ChipTimingTest, CuttingAnEraseWriteCycleShortLosesTheWrite) {
  // A clock edge too soon: the word keeps its old value.
  RawHost edge;
  edge.chip.set_program(0, 0x0AAA);
  edge.enter();
  edge.command(2);
  edge.load(0x0555);
  edge.command(8);
  edge.clock.advance(kProgramWordNs - 100'000);
  edge.command(6);
  EXPECT_EQ(edge.chip.program(0), 0x0AAA);
  EXPECT_TRUE(Has(edge.chip, "clock edge 7.9")) << Violations(edge.chip);
  EXPECT_TRUE(Has(edge.chip, "into the 8.000 ms program write at 0x0000: the write is lost"));

  // Leaving programming mode too soon: the same; the 16F84 needs 20 ms for an EEPROM byte.
  RawHost leave(ChipKind::Pic16F84);
  leave.enter();
  leave.command(3);
  leave.load(0x0042);
  leave.command(8);
  leave.leave(kEepromWriteNs16F84 - 2'000);
  EXPECT_EQ(leave.chip.eeprom(0), 0xFF);
  EXPECT_TRUE(Has(leave.chip, "Vpp removed")) << Violations(leave.chip);
  EXPECT_TRUE(Has(leave.chip, "EEPROM write at 0x0000: the write is lost"));

  // Losing power in the middle of a bulk erase.
  RawHost power(ChipKind::Pic16F877);
  power.chip.set_program(9, 0x0009);
  power.enter();
  power.command(9);
  power.command(8);
  power.put(0x03, kBulkEraseNs / 2);  // Vdd removed
  EXPECT_EQ(power.chip.program(9), 0x0009);
  EXPECT_TRUE(Has(power.chip, "power lost 10.0")) << Violations(power.chip);

  // Waiting the whole cycle keeps the write.
  RawHost patient(ChipKind::Pic16F84);
  patient.enter();
  patient.command(2);
  patient.load(0x0321);
  patient.command(8);
  patient.leave(kProgramWordNs16F84);
  EXPECT_EQ(patient.chip.program(0), 0x0321);
  EXPECT_TRUE(patient.chip.violations().empty()) << Violations(patient.chip);
}

TEST(ChipTimingTest, OtherCommandsOfTheSet) {
  RawHost h(ChipKind::Pic16F873);
  h.chip.set_program(0, 0x3F0F);
  h.chip.set_program(1, 0x1111);
  h.chip.set_eeprom(1, 0x77);
  h.enter();
  h.command(8);  // nothing loaded yet
  EXPECT_TRUE(Has(h.chip, "no data loaded")) << Violations(h.chip);
  h.chip.clear_violations();
  h.command(2);
  h.load(0x00FF);
  h.command(24);  // programming only: bits can only be cleared
  h.clock.advance(kProgramWordNs);
  h.command(6);
  h.command(11);  // bulk erase data memory
  h.command(8);
  h.clock.advance(kBulkEraseNs);
  h.command(9);  // bulk erase program memory
  h.command(8);
  h.leave(kBulkEraseNs);
  EXPECT_EQ(h.chip.program(0), 0x3FFF);
  EXPECT_EQ(h.chip.program(1), 0x3FFF);
  EXPECT_EQ(h.chip.eeprom(1), 0xFF);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);

  RawHost only(ChipKind::Pic16F873);
  only.chip.set_program(0, 0x3F0F);
  only.enter();
  only.command(2);
  only.load(0x00FF);
  only.command(24);
  only.leave(kProgramWordNs);
  EXPECT_EQ(only.chip.program(0), 0x000F);
}

// Leaving programming mode takes the Brannock board's MCLR fall: Vpp back sooner finds the chip
// where it was, and the chip says so.
TEST(ChipTimingTest, ConfigurationAreaIsLeftOnlyByLeavingProgrammingMode) {
  for (const std::int64_t off_ns : {kBrannockVppFallNs, std::int64_t{250'000}}) {
    RawHost h;
    h.chip.set_user_id(0, 0x0011);
    h.chip.set_program(0, 0x0022);
    h.enter();
    h.command(0);
    h.load(0x3FFF);
    EXPECT_EQ(h.chip.address_counter(), 0x2000);
    for (int i = 0; i < 8; ++i) h.command(6);
    EXPECT_EQ(h.chip.address_counter(), 0x2008);
    h.command(4);
    EXPECT_EQ(h.read_word(), 0x0011) << "0x2008 aliases 0x2000";
    h.leave();
    h.clock.advance(off_ns);
    h.enter();
    h.command(4);
    if (off_ns >= kBrannockVppFallNs) {
      EXPECT_EQ(h.read_word(), 0x0022);
      EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
    } else {
      EXPECT_EQ(h.read_word(), 0x0011) << "still at 0x2008";
      EXPECT_NE(Violations(h.chip).find("Vpp applied again 261.000 us after it was removed, before "
                                        "MCLR had fallen to the reset level: the address counter "
                                        "stayed at 0x2008"),
                std::string::npos)
          << Violations(h.chip);
    }
  }
}

}  // namespace
}  // namespace corvane::sim
