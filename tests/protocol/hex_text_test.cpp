// Hexadecimal text.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvane
