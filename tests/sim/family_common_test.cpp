// What the newer families have in common: the silicon facts (sizes, identification under its
// mask, the configuration words' unimplemented bits, where the configuration area repeats), writes
// and erases cut short, and the commands of other families that each refuses.
#include <gtest/gtest.h>

#include <stdexcept>

#include "family_host.h"
#include "sim/chip.h"
#include "sim/chip_kind.h"

namespace corvane::sim {
namespace {

struct Silicon {
  const char* key;
  int words, bytes;
  std::uint16_t id, id_mask;
  std::uint16_t config_of_zero;  // what the configuration word reads after 0x0000 is stored
  bool config2;
  int config_repeat;
};

class NewChipSiliconTest : public ::testing::TestWithParam<Silicon> {};

TEST_P(NewChipSiliconTest, HasTheDatasheetsSizesIdentificationAndConfigurationBits) {
  const Silicon& s = GetParam();
  const auto kind = Chip_Kind_Named(s.key);
  ASSERT_TRUE(kind);
  const Chip chip(*kind);
  EXPECT_EQ(chip.program_size(), s.words);
  EXPECT_EQ(chip.eeprom_size(), s.bytes);
  EXPECT_EQ(chip.device_id() & s.id_mask, s.id);
  EXPECT_NE(chip.device_id() & ~s.id_mask & 0x3FFF, 0) << "a nonzero revision";
  EXPECT_EQ(Chip_Kind_With_Id(chip.device_id()), kind);
  EXPECT_EQ(Chip(*kind, 0x1F).device_id(), s.id | (~s.id_mask & 0x3FFF))
      << "the revision field is as wide as the mask leaves";

  ChipMemory m(*kind, 1);
  m.set_config(0x0000);
  EXPECT_EQ(m.cells().config, s.config_of_zero);
  EXPECT_EQ(m.facts().has_config2, s.config2);
  if (s.config2) {
    m.set_config2(0x0000);
    EXPECT_EQ(m.read_program_space(0x2008), 0x3FFC) << "CONFIG2: bits 13..2 read 1";
  } else {
    EXPECT_THROW(m.set_config2(0x0000), std::out_of_range);
    EXPECT_EQ(m.read_program_space(0x2008), 0x3FFF) << "reserved";
  }
  m.set_user_id(1, 0x0011);
  EXPECT_EQ(m.read_program_space(0x2001 + s.config_repeat), 0x0011);
  EXPECT_EQ(m.read_program_space(0x2009), 0x3FFF) << "reserved";
}

INSTANTIATE_TEST_SUITE_P(
    Chips, NewChipSiliconTest,
    ::testing::Values(Silicon{"16f627a", 1024, 128, 0x1040, 0x3FE0, 0x1E00, false, 16},
                      Silicon{"16f628a", 2048, 128, 0x1060, 0x3FE0, 0x1E00, false, 16},
                      Silicon{"16f648a", 4096, 256, 0x1100, 0x3FE0, 0x1E00, false, 16},
                      Silicon{"16f873a", 4096, 128, 0x0E40, 0x3FF0, 0x1030, false, 16},
                      Silicon{"16f874a", 4096, 128, 0x0E60, 0x3FF0, 0x1030, false, 16},
                      Silicon{"16f876a", 8192, 256, 0x0E00, 0x3FF0, 0x1030, false, 16},
                      Silicon{"16f877a", 8192, 256, 0x0E20, 0x3FF0, 0x1030, false, 16},
                      Silicon{"16f87", 4096, 256, 0x0720, 0x3FF0, 0x0000, true, 32},
                      Silicon{"16f88", 4096, 256, 0x0760, 0x3FF0, 0x0000, true, 32},
                      Silicon{"16f818", 1024, 128, 0x04C0, 0x3FF0, 0x0000, false, 32},
                      Silicon{"16f819", 2048, 256, 0x04E0, 0x3FF0, 0x0000, false, 32}),
    [](const auto& info) { return std::string(info.param.key); });

TEST(NewChipSiliconTest, EveryKindHasAKeyAndTheOriginalChipsKeepTheirFamily) {
  EXPECT_EQ(Chip_Kind_Names(),
            "16f84|16f84a|16f870|16f871|16f872|16f873|16f874|16f876|16f877|16f627a|16f628a|"
            "16f648a|16f873a|16f874a|16f876a|16f877a|16f87|16f88|16f818|16f819");
  EXPECT_EQ(Facts(ChipKind::Pic16F84).family, ChipFamily::F84);
  for (ChipKind k : {ChipKind::Pic16F84A, ChipKind::Pic16F873, ChipKind::Pic16F877}) {
    EXPECT_EQ(Facts(k).family, ChipFamily::F84A87x);
    EXPECT_FALSE(Facts(k).has_config2);
  }
}

// Writes and erases cut short, internally timed or timed by the host: the cells keep their
// contents and the violation says why.
struct CutShort {
  const char* name;
  ChipKind kind;
  int first;  // 9 or 11: a bulk erase before the 8
  int begin;
  std::int64_t wait_ns;
  int next;  // 23, another command, or -1 to leave programming mode
  const char* violation;
};

class CutShortTest : public ::testing::TestWithParam<CutShort> {};

TEST_P(CutShortTest, KeepsTheCellsAndSaysWhy) {
  const CutShort& c = GetParam();
  FamilyHost h(c.kind);
  h.chip.set_program(1, 0x0F0F);
  h.enter();
  h.increment();
  h.load_program(0x0000);
  if (c.first > 0) h.command(c.first);
  h.timed(c.begin, c.wait_ns);
  if (c.next < 0) {
    h.leave();
  } else {
    h.command(c.next);
  }
  EXPECT_EQ(h.chip.program(1), 0x0F0F);
  EXPECT_EQ(h.chip.program(0), 0x3FFF);
  EXPECT_TRUE(h.violated(c.violation)) << Violations(h.chip);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CutShortTest,
    ::testing::Values(
        CutShort{"EraseEndedTooSoon", ChipKind::Pic16F88, 0, 8, 600'000, 23,
                 "the row erase at 0x0000 was cut short by End Programming 60"},
        CutShort{"BulkEraseEndedTooSoon", ChipKind::Pic16F88, 9, 8, 1'500'000, 23,
                 "the program memory bulk erase was cut short by End Programming 1.50"},
        CutShort{"ProgrammingByAnotherCommand", ChipKind::Pic16F88, 0, 24, 2'000'000, 6,
                 "the program write at 0x0000 was cut short by command 6 before End Programming"},
        CutShort{"ProgrammingByLeaving", ChipKind::Pic16F88, 0, 24, 2'000'000, -1,
                 "the program write at 0x0000 was cut short by Vpp removed"},
        CutShort{"ChipEraseByAClockEdge", ChipKind::Pic16F88, 0, 31, 4'000'000, 6,
                 "clock edge 4.00"},
        CutShort{"RowWriteByAClockEdge", ChipKind::Pic16F877A, 0, 8, 4'000'000, 6,
                 "into the 8.000 ms row write at 0x0000: the write is lost"},
        CutShort{"ProgrammingOnlyEndedTooSoon", ChipKind::Pic16F877A, 0, 24, 500'000, 23,
                 "the row write at 0x0000 was cut short by End Programming 50"},
        CutShort{"ProgrammingOnlyByAnotherCommand", ChipKind::Pic16F876A, 0, 24, 2'000'000, 5,
                 "the row write at 0x0000 was cut short by command 5 before End Programming"},
        CutShort{"WordWriteByAClockEdge", ChipKind::Pic16F628A, 0, 8, 2'000'000, 6,
                 "into the 4.000 ms program write at 0x0001: the write is lost"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Foreign {
  ChipKind kind;
  int code;
};

class ForeignCommandTest : public ::testing::TestWithParam<Foreign> {};

TEST_P(ForeignCommandTest, IsAViolationAndIgnored) {
  FamilyHost h(GetParam().kind);
  h.chip.set_program(0, 0x0001);
  h.enter();
  h.load_program(0x3FFF);
  h.timed(GetParam().code, 20'000'000);
  h.increment();
  EXPECT_TRUE(h.violated("command " + std::to_string(GetParam().code) + " is not one of the " +
                         std::string(Facts(GetParam().kind).name) + "'s: ignored"))
      << Violations(h.chip);
  EXPECT_EQ(h.chip.program(0), 0x0001);
}

// 1 and 7, the 87x's erase setup; 24, 23 and 31, which the 62xA does not have; undefined codes.
INSTANTIATE_TEST_SUITE_P(
    Codes, ForeignCommandTest,
    ::testing::Values(Foreign{ChipKind::Pic16F876A, 1}, Foreign{ChipKind::Pic16F876A, 7},
                      Foreign{ChipKind::Pic16F876A, 63}, Foreign{ChipKind::Pic16F648A, 24},
                      Foreign{ChipKind::Pic16F648A, 23}, Foreign{ChipKind::Pic16F648A, 31},
                      Foreign{ChipKind::Pic16F648A, 1}, Foreign{ChipKind::Pic16F648A, 7},
                      Foreign{ChipKind::Pic16F818, 1}, Foreign{ChipKind::Pic16F818, 7},
                      Foreign{ChipKind::Pic16F818, 16}),
    [](const auto& info) {
      return std::string(Facts(info.param.kind).name.substr(3)) + "_" +
             std::to_string(info.param.code);
    });

}  // namespace
}  // namespace corvane::sim
