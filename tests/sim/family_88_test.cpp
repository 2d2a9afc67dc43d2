// The 88 family's simulated chips (16F87/88, 16F818/819), driven pin by pin: 4-word writes in
// 32-word erase rows ended by End Programming, the configuration words with CONFIG2, the erases,
// code protection and the entry within tpu.
#include <gtest/gtest.h>

#include "family_host.h"
#include "sim/chip_kind.h"

namespace corvane::sim {
namespace {

constexpr std::uint16_t kCpOn = 0x3FFF & ~0x2000;
constexpr std::uint16_t kCpdOn = 0x3FFF & ~0x0100;

class Family88Test : public ::testing::TestWithParam<ChipKind> {
 protected:
  bool has_config2() const { return Facts(GetParam()).has_config2; }
  // PC to 0x2007 (and `more` beyond), no Load given yet.
  void to_config_word(int more = 0) {
    h.load_config(0x3FFF);
    h.increment(7 + more);
  }

  FamilyHost h{GetParam()};
};

TEST_P(Family88Test, FourWordsAreProgrammedIntoARowErasedByBeginErase) {
  for (int a = 0; a <= 32; ++a) h.chip.set_program(a, 0x0000);
  h.enter();
  h.load_program(0x3FFF);
  h.timed_by_host(8, kRowEraseNs88);
  h.increment(4);
  for (int i = 0; i < 4; ++i) {
    if (i > 0) h.increment();
    h.load_program(0x0100 + i);
  }
  h.timed_by_host(24, kProgramOnlyNs88);
  h.reenter();
  h.increment(3);
  EXPECT_EQ(h.read_words(6), (std::vector<int>{0x3FFF, 0x100, 0x101, 0x102, 0x103, 0x3FFF}));
  EXPECT_EQ(h.chip.program(31), 0x3FFF);
  EXPECT_EQ(h.chip.program(32), 0x0000) << "the next row";
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family88Test, BeginEraseOrProgrammingBeforeAnyLoadIsIgnored) {
  h.chip.set_program(0, 0x0000);
  h.enter();
  h.timed_by_host(8, kRowEraseNs88);
  EXPECT_EQ(h.chip.program(0), 0x0000);
  EXPECT_TRUE(h.violated("Begin Erase with no Load since entering programming mode"))
      << Violations(h.chip);
}

TEST_P(Family88Test, ConfigurationWordsAreWrittenAsLoadedButProtectionOnlyCleared) {
  h.chip.set_config(0x3F00);
  h.enter();
  to_config_word();
  h.load_program(0x3F7F);
  h.timed_by_host(24, kProgramOnlyNs88);
  EXPECT_EQ(h.chip.config(), 0x3F7F) << "bits back to 1 without an erase";
  h.load_program(kCpOn & kCpdOn);
  h.timed_by_host(24, kProgramOnlyNs88);
  h.load_program(0x3FFF);
  h.timed_by_host(24, kProgramOnlyNs88);
  EXPECT_EQ(h.chip.config(), kCpOn & kCpdOn) << "only Chip Erase sets CP and CPD again";
  h.increment();
  h.load_program(0x0001);
  h.timed_by_host(24, kProgramOnlyNs88);
  if (has_config2()) {
    EXPECT_EQ(h.chip.config2(), 0x3FFD) << "bits 13..2 read 1";
    EXPECT_EQ(h.read_program(), 0x3FFD);
    EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
  } else {
    EXPECT_EQ(h.read_program(), 0x3FFF);
    EXPECT_TRUE(h.violated("Begin Programming Only at 0x2008, where nothing can be written"))
        << Violations(h.chip);
  }
}

TEST_P(Family88Test, UserIdsAreErasedAndProgrammedFromConfigurationMemory) {
  for (int i = 0; i < 4; ++i) h.chip.set_user_id(i, 0x0000);
  h.chip.set_config(0x3FF0);
  h.enter();
  h.load_config(0x0005);  // its word is discarded
  h.timed_by_host(8, kRowEraseNs88);
  EXPECT_EQ(h.chip.config(), 0x3FF0) << "Begin Erase never erases a configuration word";
  for (int i = 0; i < 4; ++i) {
    if (i > 0) h.increment();
    h.load_program(0x3FF0 + i);
  }
  h.timed_by_host(24, kProgramOnlyNs88);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(h.chip.user_id(i), 0x3FF0 + i);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family88Test, DataBytesAreErasedThenProgrammed) {
  h.chip.set_eeprom(2, 0x00);
  h.enter();
  h.increment(2);
  h.load_data(0x5A);
  h.timed_by_host(8, kRowEraseNs88);
  EXPECT_EQ(h.chip.eeprom(2), 0xFF);
  h.load_data(0x5A);
  h.timed_by_host(24, kProgramOnlyNs88);
  EXPECT_EQ(h.chip.eeprom(2), 0x5A);
  EXPECT_EQ(h.read_data(), 0x5A);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family88Test, ChipEraseClearsEverythingAndTheIdsFromConfigurationMemory) {
  for (const bool from_config : {false, true}) {
    FamilyHost g(GetParam());
    g.chip.set_program(0, 0x0000);
    g.chip.set_eeprom(0, 0x00);
    g.chip.set_user_id(0, 0x0000);
    g.chip.set_config(kCpOn & kCpdOn);
    if (has_config2()) g.chip.set_config2(0x0000);
    g.enter();
    EXPECT_EQ(g.read_program(), 0) << "protected";
    EXPECT_EQ(g.read_data(), 0) << "protected";
    if (from_config) g.load_config(0x3FFF);
    g.timed(31, kChipEraseNs88);
    g.increment();
    EXPECT_EQ(g.chip.program(0), 0x3FFF);
    EXPECT_EQ(g.chip.eeprom(0), 0xFF);
    EXPECT_EQ(g.chip.config(), 0x3FFF);
    EXPECT_EQ(g.chip.config2(), 0x3FFF);
    EXPECT_EQ(g.chip.user_id(0), from_config ? 0x3FFF : 0x0000);
    EXPECT_TRUE(g.chip.violations().empty()) << Violations(g.chip);
  }
}

TEST_P(Family88Test, BulkErasesAreRefusedWhileProtected) {
  h.chip.set_program(0, 0x0000);
  h.chip.set_eeprom(0, 0x00);
  h.chip.set_config(kCpOn & kCpdOn);
  h.enter();
  h.command(9);
  h.timed_by_host(8, kBulkEraseNs88);
  h.command(11);
  h.timed_by_host(8, kBulkEraseNs88);
  EXPECT_EQ(h.chip.program(0), 0x0000);
  EXPECT_EQ(h.chip.eeprom(0), 0x00);
  EXPECT_TRUE(h.violated("Bulk Erase Program refused while CP = 0")) << Violations(h.chip);
  EXPECT_TRUE(h.violated("Bulk Erase Data refused while CPD = 0"));
}

TEST_P(Family88Test, BulkErasesClearOneMemoryEach) {
  h.chip.set_program(0, 0x0000);
  h.chip.set_eeprom(0, 0x00);
  h.chip.set_user_id(0, 0x0000);
  h.chip.set_config(0x3F00);
  h.enter();
  h.command(11);
  h.timed_by_host(8, kBulkEraseNs88);
  EXPECT_EQ(h.chip.eeprom(0), 0xFF);
  EXPECT_EQ(h.chip.program(0), 0x0000);
  h.load_config(0x3FFF);
  h.command(9);
  h.timed_by_host(8, kBulkEraseNs88);
  EXPECT_EQ(h.chip.program(0), 0x3FFF);
  EXPECT_EQ(h.chip.user_id(0), 0x3FFF);
  EXPECT_EQ(h.chip.config(), 0x3F00) << "never the configuration word";
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family88Test, TheCounterGoesOnFromProgramIntoConfigurationMemory) {
  h.chip.set_user_id(0, 0x0012);
  h.enter();
  h.increment(0x2000);
  EXPECT_EQ(h.chip.address_counter(), 0x2000);
  EXPECT_EQ(h.read_program(), 0x0012);
}

INSTANTIATE_TEST_SUITE_P(Chips, Family88Test,
                         ::testing::Values(ChipKind::Pic16F87, ChipKind::Pic16F88,
                                           ChipKind::Pic16F818, ChipKind::Pic16F819),
                         [](const auto& info) { return std::string(Facts(info.param).name); });

// Entry: Vdd then Vpp within tpu, or late when the program cannot have run.
struct EntryCase {
  const char* name;
  std::uint16_t config;
  std::int64_t vpp_after_vdd;
  bool enters;
};

class Family88Entry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(Family88Entry, DependsOnTheOscillatorAndMclre) {
  const EntryCase& c = GetParam();
  FamilyHost h(ChipKind::Pic16F88);
  h.chip.set_config(c.config);
  h.enter(c.vpp_after_vdd);
  EXPECT_EQ(h.chip.in_programming_mode(), c.enters);
  EXPECT_EQ(h.violated("with the internal oscillator and MCLRE = 0"), !c.enters)
      << Violations(h.chip);
}

constexpr std::uint16_t kIntrcNoMclr = 0x3FFF & ~0x0020 & ~0x0003;  // FOSC 100, MCLRE 0

INSTANTIATE_TEST_SUITE_P(
    Cases, Family88Entry,
    ::testing::Values(EntryCase{"ErasedLate", 0x3FFF, 1'000'000, true},
                      EntryCase{"IntrcNoMclrWithinTpu", kIntrcNoMclr, 200'000, true},
                      EntryCase{"IntrcNoMclrLate", kIntrcNoMclr, 300'000, false},
                      EntryCase{"IntrcWithMclrLate", kIntrcNoMclr | 0x0020, 300'000, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Family88EntryTest, VppFirstWithVddWithinFiveMicroseconds) {
  FamilyHost h(ChipKind::Pic16F819);
  h.chip.set_config(kIntrcNoMclr);
  h.enter_vpp_first(4'000);
  EXPECT_TRUE(h.chip.in_programming_mode());
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

}  // namespace
}  // namespace corvane::sim
