// The newer chips' silicon facts: sizes, identification under its mask, the configuration words'
// unimplemented bits and where the configuration area repeats.
#include <gtest/gtest.h>

#include <stdexcept>

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

}  // namespace
}  // namespace corvane::sim
