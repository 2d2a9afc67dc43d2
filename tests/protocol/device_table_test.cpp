// Hexadecimal text and the device table.
#include <gtest/gtest.h>

#include "protocol/device_table.h"
#include "protocol/hex_text.h"

namespace corvane {
namespace {

TEST(HexTextTest, PrintsUpperCaseWithoutLeadingZeros) {
  EXPECT_EQ(Hex(0), "0");
  EXPECT_EQ(Hex(0x09A3), "9A3");
  EXPECT_EQ(Hex(0x3FFF), "3FFF");
  EXPECT_EQ(Hex(1023), "3FF");
  EXPECT_EQ(Hex(-1), "FFFFFFFF");
}

TEST(HexTextTest, ReadsOneAndTwoCharacterFields) {
  EXPECT_EQ(Hex_Value("3F"), 63);
  EXPECT_EQ(Hex_Value("0A"), 10);
  EXPECT_EQ(Hex_Value("7"), 7);
  EXPECT_EQ(Hex_Value("3f"), 63);  // lower case is hexadecimal too
  EXPECT_EQ(Hex_Value("ab"), 0xAB);
  EXPECT_EQ(Hex_Value("G1"), 1);    // not a digit: 0
  EXPECT_EQ(Hex_Value("ABC"), 10);  // not two characters: the first alone
  EXPECT_EQ(Hex_Value(""), 0);
}

TEST(DeviceTableTest, NamesTheChipByItsIdentificationWord) {
  for (int id = 0x09A0; id <= 0x09BF; ++id) EXPECT_EQ(Device_Name(id), "PIC16f877") << id;
  EXPECT_EQ(Device_Name(0x3FFF), "PIC16f84");
  EXPECT_EQ(Device_Name(0x3FE0), "PIC16f84");
  // The PIC16F84A programs like the PIC16F84, whatever its revision.
  EXPECT_EQ(Device_Name(0x0560), "PIC16f84");
  EXPECT_EQ(Device_Name(0x057F), "PIC16f84");
  EXPECT_EQ(Device_Name(0x0960), "PIC16f873");
  EXPECT_EQ(Device_Name(0x0920), "PIC16f873");
  EXPECT_EQ(Device_Name(0), "PIC16f873");
}

TEST(DeviceTableTest, MemorySizesFollowTheFamily) {
  auto words = [](int id, const char* box) { return Chip_Size_For(id, box).program_words; };
  EXPECT_EQ(words(0x3FFF, "PIC16f877"), 1024);  // the word wins over the box
  EXPECT_EQ(words(0x0561, "PIC16f84"), 1024);
  EXPECT_EQ(words(0x0923, "PIC16f873"), 4096);  // 16F874
  EXPECT_EQ(words(0x09E1, "PIC16f873"), 8192);  // 16F876
  EXPECT_EQ(Chip_Size_For(0x09A3, "").eeprom_bytes, 256);
  // An unknown word: the device box decides.
  EXPECT_EQ(words(0x0E00, "PIC16f84"), 1024);
  EXPECT_EQ(words(0x0E00, "PIC16f873"), 4096);
  EXPECT_EQ(words(0x0E00, "PIC16F877"), 8192);
}

}  // namespace
}  // namespace corvane
