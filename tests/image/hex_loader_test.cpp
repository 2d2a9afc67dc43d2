// The loader's worked example and the edge cases of the memory image and the loader.
#include "image/hex_loader.h"

#include <gtest/gtest.h>

#include "hex_records.h"
#include "image/memory_image.h"
#include "loader_fixture.h"

namespace corvane {
namespace {

std::string Blank_Words(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += " 3FFF";
  return s;
}

class HexLoaderTest : public HexLoaderFixture {};

TEST_F(HexLoaderTest, WorkedExampleOnThePic16f84) {
  ASSERT_TRUE(Load(":020000000528D1\r\n:02400E00F13F80\r\n:00000001FF\r\n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
  EXPECT_EQ(st.ProgramImage[1], 0x3FFF);
  EXPECT_EQ(st.LastProgramAddress, 0);
  EXPECT_EQ(st.EepromCount, 0);
  EXPECT_EQ(st.ConfigWord, 0x3FF1);
  ASSERT_EQ(panel.log.size(), 2u);
  EXPECT_EQ(panel.log[0], panel.file_name + "\r\n 2805" + Blank_Words(10) + " ...\r\n");
  EXPECT_EQ(panel.log[1], "1 lines of program\r\n");
  EXPECT_TRUE(panel.boxes.empty());
  // The loader's own panel text first, then the handlers' format once the controls moved.
  ASSERT_GE(panel.status_history.size(), 2u);
  EXPECT_EQ(panel.status_history[0], "Fuses=Fuses : 0x3FF1");
  EXPECT_EQ(panel.status["Fuses"], "Fuses 0x3FF1");
  EXPECT_EQ(panel.show_fuses_calls, 1);
  EXPECT_EQ(panel.osc, 1);
  EXPECT_FALSE(panel.wdt);
  EXPECT_TRUE(panel.pwrt);
  EXPECT_TRUE(panel.boden);
  EXPECT_EQ(st.ConfigWord, 0x3FF1);  // Show_Fuses leaves it as it found it
}

TEST_F(HexLoaderTest, WorkedExampleOnThePic16f877) {
  panel.device = "PIC16f877";
  ASSERT_TRUE(Load(":020000000528D1\r\n:02400E00F13F80\r\n:00000001FF\r\n"));
  EXPECT_EQ(st.ConfigWord, 0x3F71);
  EXPECT_EQ(panel.status_history[0], "Fuses=Fuses : 0x3F71");
  EXPECT_EQ(panel.status["Fuses"], "Fuses 0x3F71");
}

TEST_F(HexLoaderTest, RecordsArePlacedByTheirFirstWordAddress) {
  // Odd byte count: one word, the third byte ignored.
  ASSERT_TRUE(Load(":03000000052801CF\n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
  EXPECT_EQ(st.ProgramImage[1], 0x3FFF);
  EXPECT_EQ(st.LastProgramAddress, 0);

  // The last two program words: 8192 is a valid entry.
  ASSERT_TRUE(Load(":043FFE000528062864\n"));
  EXPECT_EQ(st.ProgramImage[8191], 0x2805);
  EXPECT_EQ(st.ProgramImage[8192], 0x2806);
  EXPECT_EQ(st.LastProgramAddress, 8192);
  EXPECT_EQ(panel.log[1], "8193 lines of program\r\n");

  // The last EEPROM entry, 256.
  ASSERT_TRUE(Load(":024400001100A9\n"));
  EXPECT_EQ(st.EepromImage[256], 0x11);
  EXPECT_EQ(st.EepromCount, 257);

  // One record over 0x4000..0x400F gives the user IDs; its configuration word is not taken.
  st.ConfigWord = 0x3FF2;
  ASSERT_TRUE(Load(":104000000100020003000400000000000000F13F76\n"));
  EXPECT_EQ(st.UserIdImage, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(st.ConfigWord, 0x3FF2);
  EXPECT_EQ(st.LastProgramAddress, -1);
  EXPECT_EQ(panel.log[1], "0 lines of program\r\n");
}

TEST_F(HexLoaderTest, EepromRecordsAreCountedAndLogged) {
  ASSERT_TRUE(Load(":04420000AA005500BB\n"));
  EXPECT_EQ(st.EepromImage[0], 0xAA);
  EXPECT_EQ(st.EepromImage[1], 0x55);
  EXPECT_EQ(st.EepromCount, 2);
  EXPECT_EQ(panel.log[1], "0 lines of program and 2 Bytes in EEPROM Data\r\n");
}

TEST_F(HexLoaderTest, LinesAfterTheEndRecordAreStillLoaded) {
  ASSERT_TRUE(Load(":00000001FF\n:020000000528D1\n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
  EXPECT_EQ(st.LastProgramAddress, 0);
}

TEST_F(HexLoaderTest, LastProgramAddressIsTheHighestWordAnyRecordWrote) {
  // Records out of order, as linkers write them: the program still ends at 0x107.
  const std::string text = Word_Record(0x100, {1, 2, 3, 4, 5, 6, 7, 8}) + "\n" +
                           Word_Record(0x10, {9, 10, 11, 12, 13, 14, 15, 16}) + "\n";
  ASSERT_TRUE(Load(text));
  EXPECT_EQ(st.LastProgramAddress, 0x107);
  EXPECT_EQ(st.ProgramImage[0x107], 8);
  EXPECT_EQ(st.ProgramImage[0x10], 9);
  EXPECT_EQ(panel.log[1], "264 lines of program\r\n");

  // Overlapping records: the later one's words win, the end stays the furthest word; a record
  // without data and the EEPROM and configuration records move nothing.
  ASSERT_TRUE(Load(Word_Record(0, {1, 2, 3, 4}) + "\n" + Word_Record(1, {7}) + "\n" +
                   ":00000800F8\n" + Word_Record(0x2100, {5}) + "\n" +
                   Hex_Record(0x400E, 0, {0xF1, 0x3F}) + "\n"));
  EXPECT_EQ(st.LastProgramAddress, 3);
  EXPECT_EQ(st.ProgramImage[1], 7);
  EXPECT_EQ(st.EepromCount, 1);
}

TEST_F(HexLoaderTest, FileWordsAreNotMaskedTo14Bits) {
  ASSERT_TRUE(Load(Word_Record(0, {0xFFFF}) + "\n"));
  EXPECT_EQ(st.ProgramImage[0], 0xFFFF);
  EXPECT_EQ(panel.log[0], panel.file_name + "\r\n FFFF" + Blank_Words(10) + " ...\r\n");
}

TEST_F(HexLoaderTest, OnlyTheFirstByteOfTheConfigurationRecordIsTaken) {
  panel.device = "PIC16f877";
  ASSERT_TRUE(Load(Hex_Record(0x400E, 0, {0xB6, 0x3F}) + "\n"));
  // 0xB6 has bit 7 (low-voltage programming) set: the normalisation clears it and fills the rest.
  EXPECT_EQ(st.ConfigWord, 0x3F36);
}

TEST_F(HexLoaderTest, AConfigurationRecordWithoutDataKeepsTheWord) {
  st.ConfigWord = 0x3FF2;
  ASSERT_TRUE(Load(":00400E00B2\n"));
  EXPECT_EQ(st.ConfigWord, 0x3FF2);
}

TEST_F(HexLoaderTest, AFileWithoutAConfigurationRecordKeepsTheWordNormalisedAgain) {
  st.ConfigWord = 0x0005;  // e.g. a timer box clicked before any file
  ASSERT_TRUE(Load(":020000000528D1\n"));
  EXPECT_EQ(st.ConfigWord, 0x3FF5);
  EXPECT_EQ(panel.status["Fuses"], "Fuses 0x3FF5");
}

TEST_F(HexLoaderTest, AMissingFileChangesNothing) {
  st.ProgramImage[0] = 0x1234;
  st.ConfigWord = 0x3FF1;
  st.LastProgramAddress = 7;
  panel.file_name = dir.Path("missing.hex");
  EXPECT_FALSE(Read_File(st, panel));
  EXPECT_EQ(panel.boxes, std::vector<std::string>{"Error while reading file : " + panel.file_name +
                                                  ": No such file or directory"});
  EXPECT_TRUE(panel.log.empty());
  EXPECT_TRUE(panel.status_history.empty());
  EXPECT_EQ(panel.show_fuses_calls, 0);
  EXPECT_EQ(st.ProgramImage[0], 0x1234);
  EXPECT_EQ(st.ConfigWord, 0x3FF1);
  EXPECT_EQ(st.LastProgramAddress, 7);
}

TEST_F(HexLoaderTest, ADirectoryIsNoFileToLoad) {
  panel.file_name = dir.Path("");
  EXPECT_FALSE(Read_File(st, panel));
  EXPECT_EQ(panel.boxes, std::vector<std::string>{"Error while reading file : " + panel.file_name +
                                                  ": Is a directory"});
}

TEST(MemoryImageTest, BlankingTouchesOnlyTheFirst1024Words) {
  WorkingState st;
  st.ProgramImage[1024] = 0x1111;
  st.EepromImage[0] = 0x22;
  st.ConfigWord = 0x3FF1;
  st.LastProgramAddress = 5;
  st.EepromCount = 3;
  Blank_Program_Image(st);
  EXPECT_EQ(st.ProgramImage[0], 0x3FFF);
  EXPECT_EQ(st.ProgramImage[1023], 0x3FFF);
  EXPECT_EQ(st.ProgramImage[1024], 0x1111);
  EXPECT_EQ(st.EepromImage[0], 0x22);
  EXPECT_EQ(st.ConfigWord, 0x3FF1);
  EXPECT_EQ(st.LastProgramAddress, 5);
  EXPECT_EQ(st.EepromCount, 3);
}

}  // namespace
}  // namespace corvane
