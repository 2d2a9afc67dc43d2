// The loader on files built by gpasm from the sources in tests/data (see regenerate.sh there).
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

#include "fake_panel.h"
#include "image/hex_loader.h"
#include "image/memory_image.h"

namespace corvane {
namespace {

std::string Data_File(const std::string& name) {
  return std::string(CORVANE_TEST_DATA) + "/" + name;
}

struct GpasmCase {
  const char* file;
  const char* device;
};

void PrintTo(const GpasmCase& c, std::ostream* os) {
  *os << c.file << " as " << c.device;
}

// Test names from the file and device, e.g. pic16f84a_demo_inhx8m_hex_PIC16f84.
std::string Case_Name(const ::testing::TestParamInfo<GpasmCase>& info) {
  std::string name = std::string(info.param.file) + "_" + info.param.device;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

class GpasmPic16f84aTest : public ::testing::TestWithParam<GpasmCase> {};

TEST_P(GpasmPic16f84aTest, LoadsWordsEepromAndConfiguration) {
  WorkingState st;
  Blank_Program_Image(st);
  FakePanel panel(st);
  panel.device = GetParam().device;
  panel.file_name = Data_File(GetParam().file);
  ASSERT_TRUE(Read_File(st, panel));
  EXPECT_TRUE(panel.boxes.empty());

  // goto start; (gap); retfie; bsf; clrf; bcf; movlw 0x55; movwf; goto loop.
  const std::int32_t words[] = {0x2805, 0x3FFF, 0x3FFF, 0x3FFF, 0x0009, 0x1683,
                                0x0186, 0x1283, 0x3055, 0x0086, 0x280A};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(st.ProgramImage[i], words[i]) << i;
  EXPECT_EQ(st.ProgramImage[11], 0x3FFF);
  EXPECT_EQ(st.LastProgramAddress, 10);
  EXPECT_EQ(st.EepromCount, 5);
  const std::int32_t eeprom[] = {0x01, 0x02, 0xAB, 'H', 'i'};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(st.EepromImage[i], eeprom[i]) << i;

  ASSERT_EQ(panel.log.size(), 2u);
  EXPECT_EQ(panel.log[0],
            panel.file_name + "\r\n 2805 3FFF 3FFF 3FFF 9 1683 186 1283 3055 86 280A ...\r\n");
  EXPECT_EQ(panel.log[1], "11 lines of program and 5 Bytes in EEPROM Data\r\n");

  // __CONFIG _XT_OSC & _WDT_OFF & _PWRTE_ON: low byte 0xF1.
  const bool is84 = std::string(GetParam().device) == "PIC16f84";
  EXPECT_EQ(st.ConfigWord, is84 ? 0x3FF1 : 0x3F71);
  EXPECT_EQ(panel.status["Fuses"], is84 ? "Fuses 0x3FF1" : "Fuses 0x3F71");
}

INSTANTIATE_TEST_SUITE_P(Formats, GpasmPic16f84aTest,
                         ::testing::Values(GpasmCase{"pic16f84a_demo_inhx8m.hex", "PIC16f84"},
                                           GpasmCase{"pic16f84a_demo_inhx32.hex", "PIC16f84"},
                                           GpasmCase{"pic16f84a_demo_inhx8m.hex", "PIC16f877"},
                                           GpasmCase{"pic16f84a_demo_inhx32.hex", "PIC16f877"}),
                         Case_Name);

class GpasmPic16f877Test : public ::testing::TestWithParam<GpasmCase> {};

TEST_P(GpasmPic16f877Test, LoadsCodeBeyondTheFirstKilowordAndUpToTheTop) {
  WorkingState st;
  Blank_Program_Image(st);
  FakePanel panel(st);
  panel.device = GetParam().device;
  panel.file_name = Data_File(GetParam().file);
  ASSERT_TRUE(Read_File(st, panel));
  EXPECT_TRUE(panel.boxes.empty());

  EXPECT_EQ(st.ProgramImage[0], 0x3008);  // movlw HIGH page1
  EXPECT_EQ(st.ProgramImage[1], 0x008A);  // movwf PCLATH
  EXPECT_EQ(st.ProgramImage[2], 0x2800);  // goto page1
  EXPECT_EQ(st.ProgramImage[3], 0x3FFF);
  EXPECT_EQ(st.ProgramImage[0x7FF], 0x3FFF);
  const std::int32_t page1[] = {0x1683, 0x0188, 0x1283, 0x303C, 0x0088, 0x27FC, 0x2800};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(st.ProgramImage[0x800 + i], page1[i]) << i;
  EXPECT_EQ(st.ProgramImage[0x807], 0x3FFF);
  const std::int32_t top[] = {0x0000, 0x30A5, 0x0688, 0x0008};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(st.ProgramImage[0x1FFC + i], top[i]) << i;
  EXPECT_EQ(st.ProgramImage[0x2000], 0x3FFF);
  EXPECT_EQ(st.LastProgramAddress, 0x1FFF);

  EXPECT_EQ(st.EepromCount, 5);
  const std::int32_t eeprom[] = {'8', '7', '7', 0x00, 0xEE};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(st.EepromImage[i], eeprom[i]) << i;

  EXPECT_EQ(panel.log[0], panel.file_name + "\r\n 3008 8A 2800" +
                              std::string(" 3FFF 3FFF 3FFF 3FFF") + " 3FFF 3FFF 3FFF 3FFF ...\r\n");
  EXPECT_EQ(panel.log[1], "8192 lines of program and 5 Bytes in EEPROM Data\r\n");

  // __CONFIG low byte 0xBE: HS, WDT on, PWRT off, BOD off, LVP on.
  if (std::string(GetParam().device) == "PIC16f84") {
    EXPECT_EQ(st.ConfigWord, 0x3FFE);
  } else {
    EXPECT_EQ(st.ConfigWord, 0x3F3E);  // LVP cleared, BOD kept off
    EXPECT_EQ(panel.status["Fuses"], "Fuses 0x3F3E");
    EXPECT_EQ(panel.osc, 2);
    EXPECT_TRUE(panel.wdt);
    EXPECT_FALSE(panel.pwrt);
    EXPECT_FALSE(panel.boden);
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, GpasmPic16f877Test,
                         ::testing::Values(GpasmCase{"pic16f877_demo_inhx8m.hex", "PIC16f877"},
                                           GpasmCase{"pic16f877_demo_inhx32.hex", "PIC16f877"},
                                           GpasmCase{"pic16f877_demo_inhx8m.hex", "PIC16f84"}),
                         Case_Name);

}  // namespace
}  // namespace corvane
