// Whole-chip HEX files: the writer's text, the strict reader, the round trip and the loader on a
// written file.
#include "image/hex_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fake_panel.h"
#include "hex_records.h"
#include "image/hex_loader.h"
#include "image/line_reader.h"
#include "image/memory_image.h"

namespace corvane {
namespace {

std::string Data_File(const std::string& name) {
  return std::string(CORVANE_TEST_DATA) + "/" + name;
}

ChipContents Sample(int program_words, int eeprom_bytes) {
  ChipContents c;
  c.program.resize(program_words);
  for (int i = 0; i < program_words; ++i)
    c.program[i] = static_cast<std::uint16_t>((i * 37) & 0x3FFF);
  c.user_ids = {0x1, 0x2, 0x3, 0x4};
  c.config = 0x3FF1;
  c.eeprom.resize(eeprom_bytes);
  for (int i = 0; i < eeprom_bytes; ++i) c.eeprom[i] = static_cast<std::uint8_t>(255 - i);
  return c;
}

void Expect_Same(const ChipContents& a, const ChipContents& b) {
  EXPECT_EQ(a.program, b.program);
  EXPECT_EQ(a.user_ids, b.user_ids);
  EXPECT_EQ(a.config, b.config);
  EXPECT_EQ(a.config2, b.config2);
  EXPECT_EQ(a.eeprom, b.eeprom);
}

TEST(ChipHexFormatTest, WritesInhx8mRecordsInTheChipsLayout) {
  ChipContents c;
  c.program = {0x2805, 0x3FFF, 0x0009};
  c.user_ids = {0x1, 0x2, 0x3, 0x4};
  c.config = 0x3FF1;
  c.eeprom = {0x01, 0xAB};
  std::string text, error;
  ASSERT_TRUE(Format_Chip_Hex(c, &text, &error)) << error;
  EXPECT_EQ(text,
            ":060000000528FF3F090086\r\n"
            ":084000000100020003000400AE\r\n"
            ":02400E00F13F80\r\n"
            ":044200000100AB000E\r\n"
            ":00000001FF\r\n");
}

TEST(ChipHexFormatTest, SixteenBytesPerRecord) {
  std::string text, error;
  ASSERT_TRUE(Format_Chip_Hex(Sample(17, 9), &text, &error));
  // 17 words: 8 + 8 + 1; 9 EEPROM bytes: 8 + 1.
  EXPECT_NE(text.find("\r\n:10001000"), std::string::npos);
  EXPECT_NE(text.find("\r\n:02002000"), std::string::npos);
  EXPECT_NE(text.find("\r\n:10420000"), std::string::npos);
  EXPECT_NE(text.find("\r\n:02421000"), std::string::npos);
}

TEST(ChipHexFormatTest, RefusesWhatNoChipHolds) {
  std::string text, error;
  EXPECT_FALSE(Format_Chip_Hex(Sample(8193, 0), &text, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(Format_Chip_Hex(Sample(0, 257), &text, &error));
  ChipContents wide = Sample(4, 0);
  wide.program[2] = 0x4000;
  EXPECT_FALSE(Format_Chip_Hex(wide, &text, &error));
  wide = Sample(4, 0);
  wide.config = 0xFFFF;
  EXPECT_FALSE(Format_Chip_Hex(wide, &text, &error));
  wide = Sample(4, 0);
  wide.config2 = 0x4000;
  EXPECT_FALSE(Format_Chip_Hex(wide, &text, &error));
  EXPECT_TRUE(Format_Chip_Hex(Sample(8192, 256), &text, &error));
}

TEST(ChipHexFileTest, RoundTripForEachChipSize) {
  TempDir dir;
  for (auto [words, bytes] : {std::pair{1024, 64}, std::pair{4096, 128}, std::pair{8192, 256}}) {
    const std::string path = dir.Path("chip" + std::to_string(words) + ".hex");
    const ChipContents c = Sample(words, bytes);
    std::string error;
    ASSERT_TRUE(Write_Chip_Hex(path, c, &error)) << error;
    ChipContents back;
    ASSERT_TRUE(Read_Chip_Hex(path, words, bytes, &back, &error)) << error;
    Expect_Same(back, c);
  }
}

TEST(ChipHexFileTest, WritingReplacesTheFileAndLeavesNothingElse) {
  TempDir dir;
  const std::string path = dir.Write("chip.hex", "old contents");
  std::string error;
  ASSERT_TRUE(Write_Chip_Hex(path, Sample(8, 4), &error)) << error;
  ChipContents back;
  ASSERT_TRUE(Read_Chip_Hex(path, 8, 4, &back, &error)) << error;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path(""))) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST(ChipHexFileTest, AFailedWriteLeavesTheOldFileAndSaysWhy) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(Write_Chip_Hex(dir.Path("no/such/dir/chip.hex"), Sample(8, 0), &error));
  EXPECT_FALSE(error.empty());

  // The target is a directory: the rename fails, the temporary file is removed.
  std::filesystem::create_directories(dir.Path("target.hex/inside"));
  error.clear();
  EXPECT_FALSE(Write_Chip_Hex(dir.Path("target.hex"), Sample(8, 0), &error));
  EXPECT_FALSE(error.empty());
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path(""))) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);

  // Contents no chip holds: nothing is written at all.
  const std::string path = dir.Write("keep.hex", "old");
  EXPECT_FALSE(Write_Chip_Hex(path, Sample(9000, 0), &error));
  std::ifstream in(path);
  std::string kept;
  std::getline(in, kept);
  EXPECT_EQ(kept, "old");
}

TEST(ChipHexFileTest, ReadFileLoadsAWrittenFileWithItsConfigurationWord) {
  TempDir dir;
  ChipContents c = Sample(1024, 64);
  c.config = 0x3FF2;
  std::string error;
  const std::string path = dir.Path("saved.hex");
  ASSERT_TRUE(Write_Chip_Hex(path, c, &error)) << error;

  WorkingState st;
  FakePanel panel(st);
  panel.file_name = path;
  ASSERT_TRUE(Read_File(st, panel));
  EXPECT_TRUE(panel.boxes.empty());
  for (int i = 0; i < 1024; ++i) ASSERT_EQ(st.ProgramImage[i], c.program[i]) << i;
  EXPECT_EQ(st.LastProgramAddress, 1023);
  EXPECT_EQ(st.EepromCount, 64);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(st.EepromImage[i], c.eeprom[i]) << i;
  EXPECT_EQ(st.ConfigWord, 0x3FF2);
  EXPECT_EQ(panel.log[1], "1024 lines of program and 64 Bytes in EEPROM Data\r\n");
}

// CONFIG2 (0x2008) of a 16F87/88 saved alone at 0x4010, or after CONFIG1 in one record as
// assemblers write them: read back whole, and loaded (and shown) only for a chip that has one.
struct Config2Case {
  const char* name;
  const char* device;
  bool one_record;
  std::int32_t loaded;  // ConfigWord2 after the load; 0x3FFE before it
  const char* fuses;    // the "Fuses" panel as the loader sets it
};

class ChipHexConfig2Test : public ::testing::TestWithParam<Config2Case> {};

TEST_P(ChipHexConfig2Test, SavedAndLoadedForAChipThatHasOne) {
  const Config2Case& p = GetParam();
  ChipContents c = Sample(2, 0);
  c.config = 0x3F72;
  c.config2 = 0x3FFD;
  std::string text, error;
  ASSERT_TRUE(Format_Chip_Hex(c, &text, &error)) << error;
  EXPECT_NE(text.find(":02400E00723FFF\r\n:02401000FD3F72\r\n"), std::string::npos) << text;
  if (p.one_record) text = Word_Record(0x2007, {0x3F72, 0x3FFD}) + "\n:00000001FF\n";
  TempDir dir;
  const std::string path = dir.Write("config2.hex", text);
  ChipContents back;
  ASSERT_TRUE(Read_Chip_Hex(path, 2, 0, &back, &error)) << error;
  EXPECT_EQ(back.config2, c.config2);

  WorkingState st;
  st.ConfigWord2 = 0x3FFE;
  FakePanel panel(st);
  panel.device = p.device;
  panel.file_name = path;
  ASSERT_TRUE(Read_File(st, panel));
  EXPECT_EQ(st.ConfigWord2, p.loaded);
  EXPECT_EQ(panel.status_history.front(), std::string("Fuses=") + p.fuses);
}

INSTANTIATE_TEST_SUITE_P(
    Chips, ChipHexConfig2Test,
    ::testing::Values(Config2Case{"f88", "PIC16f88", false, 0x3FFD, "Fuses : 0x3F72/1"},
                      Config2Case{"f87_one_record", "PIC16f87", true, 0x3FFD, "Fuses : 0x3F72/1"},
                      Config2Case{"f877", "PIC16f877", false, 0x3FFE, "Fuses : 0x3F72"},
                      Config2Case{"f84_one_record", "PIC16f84", true, 0x3FFE, "Fuses : 0x3FF2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChipHexReadTest, ReadsGpasmFilesInBothFormats) {
  for (const char* name : {"pic16f84a_demo_inhx8m.hex", "pic16f84a_demo_inhx32.hex"}) {
    ChipContents c;
    std::string error;
    ASSERT_TRUE(Read_Chip_Hex(Data_File(name), 1024, 64, &c, &error)) << name << ": " << error;
    EXPECT_EQ(c.program[0], 0x2805);
    EXPECT_EQ(c.program[1], 0x3FFF);  // not named by the file: erased
    EXPECT_EQ(c.program[10], 0x280A);
    EXPECT_EQ(c.program[1023], 0x3FFF);
    EXPECT_EQ(c.user_ids, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(c.config, 0x3FF1);
    EXPECT_EQ(c.eeprom[2], 0xAB);
    EXPECT_EQ(c.eeprom[5], 0xFF);
  }
  for (const char* name : {"pic16f877_demo_inhx8m.hex", "pic16f877_demo_inhx32.hex"}) {
    ChipContents c;
    std::string error;
    ASSERT_TRUE(Read_Chip_Hex(Data_File(name), 8192, 256, &c, &error)) << name << ": " << error;
    EXPECT_EQ(c.program[0x800], 0x1683);
    EXPECT_EQ(c.program[0x1FFF], 0x0008);
    EXPECT_EQ(c.config, 0x3FBE);
    EXPECT_EQ(c.eeprom[4], 0xEE);
    // The same file does not fit a 1K chip.
    EXPECT_FALSE(Read_Chip_Hex(Data_File(name), 1024, 64, &c, &error));
    EXPECT_NE(error.find("address out of range at line"), std::string::npos) << error;
  }
}

TEST(ChipHexReadTest, RejectsAnythingMalformed) {
  TempDir dir;
  const std::string eof = ":00000001FF\n";
  auto read = [&](const std::string& text) {
    ChipContents c;
    c.config = 0x1234;  // must stay untouched on failure
    std::string error;
    const bool ok = Read_Chip_Hex(dir.Write("t.hex", text), 16, 16, &c, &error);
    if (!ok) {
      EXPECT_EQ(c.config, 0x1234);
    }
    return ok ? std::string("ok") : error;
  };
  EXPECT_EQ(read(":020000000528D1\n" + eof), "ok");
  EXPECT_EQ(read(":020000000528d1\n" + eof), "ok");
  EXPECT_EQ(read("\n:020000000528D1 \r\n" + eof), "ok");
  EXPECT_EQ(read(":020000000528D2\n" + eof), "checksum error at line 1");
  EXPECT_EQ(read(":020000000528\n" + eof), "record length does not match its byte count at line 1");
  EXPECT_EQ(read(":020000000528D1FF\n" + eof),
            "record length does not match its byte count at line 1");
  EXPECT_EQ(read(":0200000005G8D1\n" + eof), "malformed record at line 1");
  EXPECT_EQ(read("020000000528D1\n" + eof), "not a record at line 1");
  EXPECT_EQ(read(":020000000528D1\n"), "no end-of-file record");
  EXPECT_EQ(read(Hex_Record(0, 6, {}) + "\n" + eof), "unknown record type 6 at line 1");
  EXPECT_EQ(read(Word_Record(16, {1}) + "\n" + eof), "address out of range at line 1");
  EXPECT_EQ(read(Word_Record(0x2100 + 16, {1}) + "\n" + eof), "address out of range at line 1");
  EXPECT_EQ(read(Word_Record(0, {0x4000}) + "\n" + eof), "word above 0x3FFF at line 1");
  EXPECT_EQ(read(Word_Record(0x2007, {0xFFFF}) + "\n" + eof), "word above 0x3FFF at line 1");
  EXPECT_EQ(read(Word_Record(0x2008, {0xFFFF}) + "\n" + eof), "word above 0x3FFF at line 1");
  EXPECT_EQ(read(Word_Record(0x2009, {0x3FFF}) + "\n" + eof), "address out of range at line 1");
  EXPECT_EQ(read(Word_Record(0x2100, {0x0100}) + "\n" + eof), "EEPROM byte above 0xFF at line 1");
  EXPECT_EQ(read(":020000040030CA\n:020000000528D1\n" + eof), "address out of range at line 2");
  EXPECT_EQ(read(std::string(kKeptLineLength + 1, ':') + "\n" + eof), "line too long at line 1");
  // The device ID and reserved locations are skipped; lines after the end record are not read.
  EXPECT_EQ(read(Word_Record(0x2004, {0x3FFF, 0x3FFF, 0x0565}) + "\n" + eof + "junk\n"), "ok");
}

TEST(ChipHexReadTest, HonoursExtendedAddressesAndSplitWords) {
  TempDir dir;
  // A word given byte by byte, high byte first, and a segment address of zero.
  const std::string text = Hex_Record(0, 2, {0, 0}) + "\n" + Hex_Record(3, 0, {0x12}) + "\n" +
                           Hex_Record(2, 0, {0x34}) + "\n:00000001FF\n";
  ChipContents c;
  std::string error;
  ASSERT_TRUE(Read_Chip_Hex(dir.Write("t.hex", text), 4, 0, &c, &error)) << error;
  EXPECT_EQ(c.program, (std::vector<std::uint16_t>{0x3FFF, 0x1234, 0x3FFF, 0x3FFF}));
  EXPECT_TRUE(c.eeprom.empty());

  EXPECT_FALSE(Read_Chip_Hex(dir.Write("t.hex", ":00000001FF\n"), 9000, 0, &c, &error));
  EXPECT_FALSE(Read_Chip_Hex(dir.Path("missing.hex"), 8, 8, &c, &error));
  EXPECT_EQ(error, "No such file or directory");  // the caller names the file
}

}  // namespace
}  // namespace corvane
