// The cells of the simulated chips and the rules that guard them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "sim/chip_memory.h"

namespace corvane::sim {
namespace {

TEST(ChipMemoryTest, ErasedChipsHaveTheirSizesAndIdentification) {
  struct Case {
    ChipKind kind;
    int words, bytes, id;
  };
  for (const Case& c :
       {Case{ChipKind::Pic16F84, 1024, 64, 0x3FFF}, Case{ChipKind::Pic16F84A, 1024, 64, 0x0561},
        Case{ChipKind::Pic16F873, 4096, 128, 0x0963},
        Case{ChipKind::Pic16F877, 8192, 256, 0x09A3}}) {
    const ChipMemory m(c.kind, Facts(c.kind).default_revision);
    EXPECT_EQ(static_cast<int>(m.cells().program.size()), c.words);
    EXPECT_EQ(static_cast<int>(m.cells().eeprom.size()), c.bytes);
    EXPECT_EQ(m.device_id(), c.id);
    EXPECT_EQ(m.cells().program.back(), 0x3FFF);
    EXPECT_EQ(m.cells().eeprom.back(), 0xFF);
    EXPECT_EQ(m.cells().config, 0x3FFF);
    EXPECT_EQ(m.read_program_space(0x2000), 0x3FFF);  // user ID 0
    EXPECT_EQ(m.read_program_space(0x2006), c.id);
  }
}

TEST(ChipMemoryTest, AddressCounterAliases) {
  ChipMemory m(ChipKind::Pic16F84A, 1);
  m.set_program(0, 0x0101);
  m.set_program(1023, 0x0202);
  m.set_eeprom(1, 0x5A);
  m.set_user_id(0, 0x0003);
  EXPECT_EQ(m.read_program_space(0x400), 0x0101);
  EXPECT_EQ(m.read_program_space(0x1FFF), 0x0202);
  EXPECT_EQ(m.read_eeprom(65), 0x5A);
  EXPECT_EQ(m.read_program_space(0x2008), 0x0003) << "configuration area aliases modulo 8";
  EXPECT_EQ(m.read_program_space(0x2004), 0x3FFF) << "reserved cells read erased";
  EXPECT_EQ(m.read_program_space(0x2005), 0x3FFF);
  EXPECT_THROW(m.set_program(1024, 0), std::out_of_range);
  EXPECT_THROW(m.set_eeprom(-1, 0), std::out_of_range);
  EXPECT_THROW(m.set_user_id(4, 0), std::out_of_range);
}

TEST(ChipMemoryTest, WritesEraseThenProgramOrOnlyClearBits) {
  ChipMemory m(ChipKind::Pic16F877, 3);
  m.write_program_space(5, 0x1234, true);
  EXPECT_EQ(m.cells().program[5], 0x1234);
  m.write_program_space(5, 0x0F0F, false);  // programming only: bits can only go to 0
  EXPECT_EQ(m.cells().program[5], 0x1234 & 0x0F0F);
  m.write_program_space(5, 0x7FFF, true);
  EXPECT_EQ(m.cells().program[5], 0x3FFF) << "14 bits";
  m.write_eeprom(300, 0x3FA5, true);  // 300 mod 256
  EXPECT_EQ(m.cells().eeprom[44], 0xA5);
  m.write_program_space(0x2006, 0x0000, true);
  EXPECT_EQ(m.device_id(), 0x09A3) << "the device ID cannot be written";
  m.write_program_space(0x2004, 0x0000, true);
  EXPECT_EQ(m.read_program_space(0x2004), 0x3FFF);
  m.write_program_space(0x2003, 0x0005, true);
  EXPECT_EQ(m.cells().user_ids[3], 0x0005);
}

TEST(ChipMemoryTest, Pic16F84ProtectionCoversEverythingWhenAnyCpBitIsClear) {
  ChipMemory m(ChipKind::Pic16F84A, 1);
  m.set_program(0, 0x0123);
  m.set_eeprom(0, 0x45);
  m.set_config(0x3FEF);  // one CP bit (bit 4) cleared
  EXPECT_TRUE(m.program_protected(0));
  EXPECT_TRUE(m.eeprom_protected());
  EXPECT_EQ(m.read_program_space(0), 0);
  EXPECT_EQ(m.read_eeprom(0), 0);
  EXPECT_EQ(m.read_program_space(0x2007), 0x3FEF);
  m.write_program_space(0, 0x0000, true);
  m.write_eeprom(0, 0x00, true);
  m.erase_program(false);
  m.erase_eeprom();
  EXPECT_EQ(m.cells().program[0], 0x0123);
  EXPECT_EQ(m.cells().eeprom[0], 0x45);
  m.chip_erase();
  EXPECT_FALSE(m.program_protected(0));
  EXPECT_EQ(m.cells().program[0], 0x3FFF);
}

TEST(ChipMemoryTest, Pic87xProtectionLevels) {
  ChipMemory m(ChipKind::Pic16F873, 3);
  const int top = 4095;
  m.set_config(0x3FFF);
  EXPECT_FALSE(m.program_protected(top));
  m.set_config(0x2FEF);  // CP1:CP0 = 10: upper 256 words
  EXPECT_FALSE(m.program_protected(top - 256));
  EXPECT_TRUE(m.program_protected(top - 255));
  m.set_config(0x1FDF);  // 01: upper half
  EXPECT_FALSE(m.program_protected(2047));
  EXPECT_TRUE(m.program_protected(2048));
  m.set_config(0x0FCF);  // 00: everything
  EXPECT_TRUE(m.program_protected(0));
  m.set_config(0x3FEF);  // copies disagree (CP0 cleared in one): the cleared bit counts
  EXPECT_TRUE(m.program_protected(top));
  EXPECT_FALSE(m.program_protected(0));
  EXPECT_FALSE(m.eeprom_protected()) << "CP bits leave the EEPROM to /CPD on the 87x";
  m.set_config(0x3EFF);
  EXPECT_TRUE(m.eeprom_protected());
  EXPECT_FALSE(m.program_protected(top));
}

TEST(ChipMemoryTest, ConfigurationWordCanGainButNeverLoseProtection) {
  ChipMemory m(ChipKind::Pic16F877, 3);
  m.write_program_space(0x2007, 0x0A00, true);
  EXPECT_EQ(m.cells().config, 0x0E00) << "bit 10 reads 1";
  m.write_program_space(0x2007, 0x3FFF, true);
  EXPECT_EQ(m.cells().config, 0x0ECF) << "CP and /CPD stay 0; the other bits follow the word";
  EXPECT_TRUE(m.program_protected(0));
  EXPECT_TRUE(m.eeprom_protected());
  m.set_stuck(0x2007);
  m.chip_erase();
  EXPECT_TRUE(m.program_protected(0)) << "a stuck configuration cell survives the chip erase";
  EXPECT_THROW(m.set_stuck(0x2006), std::out_of_range);
}

}  // namespace
}  // namespace corvane::sim
