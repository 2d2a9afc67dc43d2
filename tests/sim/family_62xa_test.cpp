// The 62xA family's simulated chips, driven pin by pin: Vpp before Vdd, the PGM pin, one word per
// Begin Programming, the bulk erases and what they clear, code protection.
#include <gtest/gtest.h>

#include "family_host.h"
#include "sim/chip_kind.h"

namespace corvane::sim {
namespace {

constexpr std::uint16_t kCpOn = 0x3FFF & ~0x2000;
constexpr std::uint16_t kCpdOn = 0x3FFF & ~0x0100;

class Family62xATest : public ::testing::TestWithParam<ChipKind> {
 protected:
  FamilyHost h{GetParam()};
};

TEST_P(Family62xATest, VddFirstEntersAndReadsButAWriteSoIsFlagged) {
  h.enter();
  EXPECT_TRUE(h.chip.in_programming_mode());
  h.chip.set_program(0, 0x0123);
  EXPECT_EQ(h.read_program(), 0x0123);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
  h.load_program(0x0000);
  h.timed(8, kProgramWordNs62xA);
  EXPECT_TRUE(h.violated("program write begun in a programming mode entered with Vdd already "
                         "present: the " +
                         std::string(Facts(GetParam()).name) + " enters with Vpp first"))
      << Violations(h.chip);
}

TEST_P(Family62xATest, VddTooSoonAfterVppBreaksTppdp) {
  h.enter_vpp_first(2'000);
  EXPECT_TRUE(h.chip.in_programming_mode());
  EXPECT_TRUE(h.violated("Vdd only 2.000 us after MCLR reached Vpp (Tppdp needs 5.000 us)"))
      << Violations(h.chip);
}

TEST_P(Family62xATest, WordsAreProgrammedOneLoadPerBeginProgramming) {
  h.enter_vpp_first();
  h.load_program(0x0AAA);
  h.timed(8, kProgramWordNs62xA);
  h.increment();
  h.load_program(0x0555);
  h.timed(8, kProgramWordNs62xA);
  h.load_data(0x3C);
  h.timed(8, kEepromWriteNs62xA);
  h.load_config(0x0007);  // user ID 0
  h.timed(8, kProgramWordNs62xA);
  h.increment(7);
  h.load_program(0x0000);
  h.timed(8, kProgramWordNs62xA);
  EXPECT_EQ(h.chip.program(0), 0x0AAA);
  EXPECT_EQ(h.chip.program(1), 0x0555);
  EXPECT_EQ(h.chip.eeprom(1), 0x3C);
  EXPECT_EQ(h.chip.user_id(0), 0x0007);
  EXPECT_EQ(h.chip.config(), 0x1E00) << "bits 12..9 read 1";
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family62xATest, ProgrammingOnlyClearsBitsAndNeedsALoadEachTime) {
  h.chip.set_program(0, 0x0F0F);
  h.enter_vpp_first();
  h.load_program(0x3FF0);
  h.timed(8, kProgramWordNs62xA);
  h.increment();
  h.timed(8, kProgramWordNs62xA);  // no Load
  EXPECT_EQ(h.chip.program(0), 0x0F00);
  EXPECT_EQ(h.chip.program(1), 0x3FFF);
  EXPECT_TRUE(h.violated("Begin Programming with no Load since the previous one"))
      << Violations(h.chip);
}

TEST_P(Family62xATest, TheCounterWrapsAtTheEndOfTheImplementedMemory) {
  const int words = Facts(GetParam()).program_words;
  h.chip.set_program(0, 0x0001);
  h.enter_vpp_first();
  h.increment(words);
  EXPECT_EQ(h.chip.address_counter(), 0);
  EXPECT_EQ(h.read_program(), 0x0001);
}

TEST_P(Family62xATest, CodeProtectionHidesMemoryUntilABulkErase) {
  h.chip.set_program(0, 0x0001);
  h.chip.set_eeprom(0, 0x01);
  h.chip.set_config(kCpOn & kCpdOn);
  h.enter_vpp_first();
  EXPECT_EQ(h.read_program(), 0);
  EXPECT_EQ(h.read_data(), 0);
  h.load_program(0x0000);
  h.timed(8, kProgramWordNs62xA);
  EXPECT_EQ(h.chip.program(0), 0x0001) << "protected: not written";
  h.load_program(0x3FFF);
  h.timed(9, kBulkEraseNs62xA);
  h.reenter();
  EXPECT_EQ(h.read_program(), 0x3FFF);
  EXPECT_EQ(h.chip.config(), 0x3FFF);
}

TEST_P(Family62xATest, PgmEdgesResetTheCounterOnlyWhileLvpIsSet) {
  for (const bool lvp : {true, false}) {
    FamilyHost g(GetParam());
    if (!lvp) g.chip.set_config(0x3FFF & ~0x0080);
    g.enter_vpp_first();
    g.increment(5);
    g.board.set_pgm(true);
    EXPECT_EQ(g.chip.address_counter(), lvp ? 0 : 5);
    EXPECT_EQ(g.violated("PGM went high in programming mode while LVP = 1: the address counter "
                         "went back to 0 from 0x0005"),
              lvp)
        << Violations(g.chip);
  }
}

TEST_P(Family62xATest, BulkEraseDataClearsTheEepromWhateverCpd) {
  h.chip.set_eeprom(5, 0x00);
  h.chip.set_program(5, 0x0000);
  h.chip.set_config(kCpdOn);
  h.enter_vpp_first();
  h.timed(11, kBulkEraseNs62xA);
  h.increment();
  EXPECT_EQ(h.chip.eeprom(5), 0xFF);
  EXPECT_EQ(h.chip.program(5), 0x0000);
  EXPECT_EQ(h.chip.config(), kCpdOn | 0x1E00);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

INSTANTIATE_TEST_SUITE_P(Chips, Family62xATest,
                         ::testing::Values(ChipKind::Pic16F627A, ChipKind::Pic16F628A,
                                           ChipKind::Pic16F648A),
                         [](const auto& info) { return std::string(Facts(info.param).name); });

// The effects of Bulk Erase Program Memory, as the datasheet's table gives them.
struct BulkEraseCase {
  const char* name;
  bool from_config;
  bool cpd;
  bool data_erased, ids_erased;
};

class Family62xABulkErase : public ::testing::TestWithParam<BulkEraseCase> {};

TEST_P(Family62xABulkErase, ClearsWhatTheTableSays) {
  const BulkEraseCase& c = GetParam();
  FamilyHost h(ChipKind::Pic16F628A);
  h.chip.set_program(9, 0x0000);
  h.chip.set_eeprom(9, 0x00);
  h.chip.set_user_id(1, 0x0000);
  h.chip.set_config(kCpOn & (c.cpd ? kCpdOn : 0x3FFF));
  h.enter_vpp_first();
  if (c.from_config) {
    h.load_config(0x3FFF);
  } else {
    h.load_program(0x3FFF);
  }
  h.timed(9, kBulkEraseNs62xA);
  h.increment();
  EXPECT_EQ(h.chip.program(9), 0x3FFF);
  EXPECT_EQ(h.chip.config(), 0x3FFF);
  EXPECT_EQ(h.chip.eeprom(9), c.data_erased ? 0xFF : 0x00);
  EXPECT_EQ(h.chip.user_id(1), c.ids_erased ? 0x3FFF : 0x0000);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

INSTANTIATE_TEST_SUITE_P(Table, Family62xABulkErase,
                         ::testing::Values(BulkEraseCase{"ConfigCpdOn", true, true, true, true},
                                           BulkEraseCase{"ConfigCpdOff", true, false, false, true},
                                           BulkEraseCase{"ProgramCpdOn", false, true, true, false},
                                           BulkEraseCase{"ProgramCpdOff", false, false, false,
                                                         false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Family62xASequenceTest, BulkEraseWithoutItsLoadIsFlaggedAndStillErases) {
  FamilyHost h(ChipKind::Pic16F627A);
  h.chip.set_program(0, 0x0000);
  h.enter_vpp_first();
  h.load_program(0x0000);
  h.timed(9, kBulkEraseNs62xA);
  h.increment();
  EXPECT_EQ(h.chip.program(0), 0x3FFF);
  EXPECT_TRUE(h.violated("Bulk Erase Program Memory without a Load Data of 0x3FFF"))
      << Violations(h.chip);
}

}  // namespace
}  // namespace corvane::sim
