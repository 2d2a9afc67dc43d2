// The 87xA family's simulated chips, driven pin by pin: 8-word rows, the configuration word and
// user IDs, the data EEPROM, the erases, code protection and what is refused.
#include <gtest/gtest.h>

#include "family_host.h"
#include "sim/chip_kind.h"

namespace corvane::sim {
namespace {

class Family87xATest : public ::testing::TestWithParam<ChipKind> {
 protected:
  // Loads 8 words into the latches of the row at PC (PC left on its last word).
  void load_row(int first_word, int count = 8) {
    for (int i = 0; i < count; ++i) {
      if (i > 0) h.increment();
      h.load_program(first_word + i);
    }
  }
  // Load Configuration, then PC to 0x2007 and the word loaded there.
  void load_config_word(int word) {
    h.load_config(0x3FFF);
    h.increment(7);
    h.load_program(word);
  }

  FamilyHost h{GetParam()};
};

TEST_P(Family87xATest, ARowOfEightIsErasedAndWrittenFromTheLatches) {
  h.chip.set_program(8, 0x0000);  // erased first: the 8 does not need an erased row
  h.enter();
  h.increment(8);
  load_row(0x0100);
  h.timed(8, kRowWriteNs87xA);
  h.reenter();
  h.increment(8);
  EXPECT_EQ(h.read_words(8),
            (std::vector<int>{0x100, 0x101, 0x102, 0x103, 0x104, 0x105, 0x106, 0x107}));
  EXPECT_EQ(h.chip.program(7), 0x3FFF);
  EXPECT_EQ(h.chip.program(16), 0x3FFF);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family87xATest, ARowWithLatchesMissingIsWrittenAndNamesHowManyWereLoaded) {
  h.enter();
  load_row(0x0200, 5);
  h.timed(8, kRowWriteNs87xA);
  EXPECT_TRUE(h.violated("of the row at 0x0000 with 5 of its 8 latches loaded"))
      << Violations(h.chip);
  EXPECT_EQ(h.chip.program(4), 0x0204);
  EXPECT_EQ(h.chip.program(5), 0x3FFF);
}

TEST_P(Family87xATest, ProgrammingOnlyAndsTheRowAndWantsEndProgrammingAfterAMillisecond) {
  h.chip.set_program(1, 0x0FF0);
  h.enter();
  h.load_program(0x3FF0);
  h.increment();
  h.load_program(0x00FF);
  h.timed_by_host(24, kProgramOnlyNs87xA);
  EXPECT_EQ(h.chip.program(0), 0x3FF0);
  EXPECT_EQ(h.chip.program(1), 0x00F0) << "ANDed, not erased";
  EXPECT_EQ(h.chip.program(2), 0x3FFF) << "an unloaded latch changes nothing";
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family87xATest, UserIdsAndTheConfigurationWordAreWrittenWhereLoaded) {
  h.enter();
  h.load_config(0x0001);
  for (int i = 1; i < 4; ++i) {
    h.increment();
    h.load_program(i + 1);
  }
  h.timed(8, kRowWriteNs87xA);
  h.increment(4);  // 0x2007
  h.load_program(0x3F7A);
  h.timed(8, kRowWriteNs87xA);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(h.chip.user_id(i), i + 1);
  EXPECT_EQ(h.chip.config(), 0x3F7A | 0x1030) << "bits 12, 5 and 4 read 1";
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family87xATest, CodeProtectionHidesMemoryAndOnlyChipEraseLiftsIt) {
  h.chip.set_program(0, 0x1234);
  h.chip.set_eeprom(0, 0x5A);
  h.chip.set_user_id(0, 0x0007);
  h.enter();
  load_config_word(0x3FFF & ~0x2000 & ~0x0100);  // CP and CPD on
  h.timed(8, kRowWriteNs87xA);
  load_config_word(0x3FFF);  // cannot be set back to 1
  h.timed(8, kRowWriteNs87xA);
  EXPECT_EQ(h.chip.config() & 0x2100, 0);
  h.reenter();
  EXPECT_EQ(h.read_program(), 0) << "protected program memory reads 0";
  EXPECT_EQ(h.read_data(), 0) << "protected data memory reads 0";
  h.timed(9, 0);
  h.timed(8, kEraseNs87xA);
  h.timed(11, 0);
  h.timed(8, kEraseNs87xA);
  EXPECT_TRUE(h.violated("Bulk Erase Program refused while CP = 0")) << Violations(h.chip);
  EXPECT_TRUE(h.violated("Bulk Erase Data refused while CPD = 0"));
  EXPECT_EQ(h.chip.program(0), 0x1234);
  h.load_config(0x3FFF);
  EXPECT_EQ(h.read_program(), 0x0007) << "user IDs read whatever the protection";
  h.timed(31, kEraseNs87xA);
  h.reenter();
  EXPECT_EQ(h.read_program(), 0x3FFF);
  EXPECT_EQ(h.read_data(), 0xFF);
  EXPECT_EQ(h.chip.config(), 0x3FFF);
  EXPECT_EQ(h.chip.user_id(0), 0x3FFF) << "PC was in configuration memory";
}

TEST_P(Family87xATest, ChipEraseFromProgramMemoryKeepsTheUserIds) {
  h.chip.set_program(3, 0x0001);
  h.chip.set_eeprom(3, 0x01);
  h.chip.set_user_id(3, 0x0001);
  h.chip.set_config(0x0000);
  h.enter();
  h.timed(31, kEraseNs87xA);
  h.increment();
  EXPECT_EQ(h.chip.program(3), 0x3FFF);
  EXPECT_EQ(h.chip.eeprom(3), 0xFF);
  EXPECT_EQ(h.chip.config(), 0x3FFF);
  EXPECT_EQ(h.chip.user_id(3), 0x0001);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family87xATest, BulkErasesClearOneMemoryEach) {
  h.chip.set_program(0, 0x0001);
  h.chip.set_eeprom(0, 0x01);
  h.chip.set_user_id(0, 0x0001);
  h.enter();
  h.timed(11, 0);
  h.timed(8, kEraseNs87xA);
  EXPECT_EQ(h.chip.eeprom(0), 0xFF);
  EXPECT_EQ(h.chip.program(0), 0x0001);
  h.load_config(0x3FFF);
  h.timed(9, 0);
  h.timed(8, kEraseNs87xA);
  EXPECT_EQ(h.chip.program(0), 0x3FFF);
  EXPECT_EQ(h.chip.user_id(0), 0x3FFF) << "PC in configuration memory: the test row too";
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

TEST_P(Family87xATest, DataBytesAreWrittenByEightOrByProgrammingOnly) {
  h.enter();
  h.load_data(0x1A5);
  h.timed(8, kEepromWriteNs87xA);
  h.increment();
  h.load_data(0x0F);
  h.timed_by_host(24, kProgramOnlyNs87xA);
  EXPECT_EQ(h.chip.eeprom(0), 0xA5);
  EXPECT_EQ(h.chip.eeprom(1), 0x0F);
  EXPECT_EQ(h.read_data(), 0x0F);
  EXPECT_TRUE(h.chip.violations().empty()) << Violations(h.chip);
}

INSTANTIATE_TEST_SUITE_P(Chips, Family87xATest,
                         ::testing::Values(ChipKind::Pic16F873A, ChipKind::Pic16F874A,
                                           ChipKind::Pic16F876A, ChipKind::Pic16F877A),
                         [](const auto& info) { return std::string(Facts(info.param).name); });

}  // namespace
}  // namespace corvane::sim
