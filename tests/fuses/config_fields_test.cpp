// The configuration word by the chip table's named fields.
#include <gtest/gtest.h>

#include "chips/chip_table.h"
#include "fuses/config_fields.h"

namespace corvane {
namespace {

struct Assignment {
  const char* chip;
  const char* name;
  const char* value;
  std::int32_t before;
  std::int32_t after;  // -1: refused
  const char* error;
};

class ConfigFieldTest : public testing::TestWithParam<Assignment> {};

// Finding a field and value, setting its bits alone, and reading the value back from the word.
TEST_P(ConfigFieldTest, SetsTheFieldsBitsAlone) {
  const Assignment& a = GetParam();
  const ChipEntry& chip = *Builtin_Chips().Find_Key(a.chip);
  FieldChoice choice;
  std::string error;
  ASSERT_EQ(Find_Field_Value(chip, a.name, a.value, &choice, &error), a.after >= 0);
  EXPECT_EQ(error, a.error);
  if (a.after < 0) return;
  const std::int32_t word = With_Field(a.before, *choice.field, *choice.value);
  EXPECT_EQ(word, a.after);
  EXPECT_EQ(Field_Value(word, *choice.field), choice.value);
}

INSTANTIATE_TEST_SUITE_P(
    Each, ConfigFieldTest,
    testing::Values(
        Assignment{"16f877", "FOSC", "HS", 0x3FFF, 0x3FFE, ""},
        Assignment{"16f877", "wdte", "off", 0x3FFF, 0x3FFB, ""},
        Assignment{"16f84", "PWRTE", "ON", 0x3FFF, 0x3FF7, ""},
        Assignment{"16f628a", "FOSC", "INTOSCIO", 0x3FFF, 0x3FFC, ""},
        Assignment{"16f628a", "MCLRE", "OFF", 0x3FFC, 0x3FDC, ""},
        Assignment{"16f88", "CCPMX", "RB3", 0x3FFF, 0x2FFF, ""},
        Assignment{"16f84", "BOREN", "ON", 0x3FFF, -1,
                   "PIC16F84 has no field BOREN; its fields are FOSC, WDTE, PWRTE, CP"},
        Assignment{"16f877", "FOSC", "INTOSCIO", 0x3FFF, -1,
                   "FOSC of PIC16F877 takes LP, XT, HS, RC, not INTOSCIO"}));

TEST(ConfigFieldValueTest, BitsNoValueHasReadAsNone) {
  const ChipEntry& f84 = *Builtin_Chips().Find_Key("16f84a");
  FieldChoice cp;
  std::string error;
  ASSERT_TRUE(Find_Field_Value(f84, "CP", "OFF", &cp, &error));
  EXPECT_EQ(Field_Value(0x001D, *cp.field), nullptr);
}

}  // namespace
}  // namespace corvane
