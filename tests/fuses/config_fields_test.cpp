// The configuration word by the chip table's named fields.
#include <gtest/gtest.h>

#include "chips/chip_table.h"
#include "fuses/config_fields.h"

namespace corvane {
namespace {

struct Assignment {
  const char* chip;
  const char* text;
  std::int32_t before;
  std::int32_t after;  // -1: refused
  const char* error;
};

class ConfigFieldTest : public testing::TestWithParam<Assignment> {};

TEST_P(ConfigFieldTest, SetsTheFieldsBitsAlone) {
  const Assignment& a = GetParam();
  const ChipEntry& chip = *Builtin_Chips().Find_Key(a.chip);
  std::int32_t word = a.before;
  std::string error;
  EXPECT_EQ(Set_Config_Field(chip, a.text, &word, &error), a.after >= 0);
  EXPECT_EQ(word, a.after >= 0 ? a.after : a.before);
  EXPECT_EQ(error, a.error);
}

INSTANTIATE_TEST_SUITE_P(
    Each, ConfigFieldTest,
    testing::Values(
        Assignment{"16f877", "FOSC=HS", 0x3FFF, 0x3FFE, ""},
        Assignment{"16f877", "wdte=off", 0x3FFF, 0x3FFB, ""},
        Assignment{"16f84", "PWRTE=ON", 0x3FFF, 0x3FF7, ""},
        Assignment{"16f628a", "FOSC=INTOSCIO", 0x3FFF, 0x3FFC, ""},
        Assignment{"16f628a", "MCLRE=OFF", 0x3FFC, 0x3FDC, ""},
        Assignment{"16f88", "CCPMX=RB3", 0x3FFF, 0x2FFF, ""},
        Assignment{"16f84", "BOREN=ON", 0x3FFF, -1,
                   "'BOREN=ON' is not NAME=VALUE with a field of the PIC16f84's configuration "
                   "word (FOSC, WDTE, PWRTE, CP)"},
        Assignment{"16f88", "FCMEN=ON", 0x3FFF, -1,
                   "'FCMEN=ON' is not NAME=VALUE with a field of the PIC16f88's configuration "
                   "word (FOSC, WDTE, PWRTE, MCLRE, BOREN, LVP, CPD, WRT, DEBUG, CCPMX, CP)"},
        Assignment{"16f877", "FOSC=INTOSCIO", 0x3FFF, -1,
                   "FOSC takes LP, XT, HS, RC, not 'INTOSCIO'"}));

TEST(ConfigFieldsTextTest, NamesEachFieldsValue) {
  const ChipEntry& f84 = *Builtin_Chips().Find_Key("16f84a");
  EXPECT_EQ(Config_Fields_Text(f84, 0x3FF1), "FOSC=XT WDTE=OFF PWRTE=ON CP=OFF");
  EXPECT_EQ(Config_Fields_Text(f84, 0x001D), "FOSC=XT WDTE=ON PWRTE=OFF CP=?");
}

}  // namespace
}  // namespace corvane
