// The chips known: the listing, a user's file of chips, and its refusal when it is wrong.
#include <gtest/gtest.h>

#include "chips/chip_table.h"
#include "cli/cli_support.h"

namespace corvane::testing {
namespace {

constexpr const char* kUserChip = R"(# a chip of a known family
[PIC16F999]
id = 3100/3FE0
words = 2048
eeprom = 128
config = 2007/3BFF
field = FOSC 0003 LP=0 XT=1 HS=2 RC=3
times = program 8ms, eeprom 8ms, erase 8ms
family = 84a-87x
)";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CliChipsTest, ListsTheChipsWithoutABoard) {
  // The default board is the machine's port: the listing alone never opens it.
  const CliRun r = Run_Cli_Args({"chips"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), Builtin_Chips().chips().size());
  EXPECT_EQ(lines[0],
            "16f84     PIC16f84    ID 3FE0/3FE0  1024 words   64 bytes  config 2007/3FFF  f84  "
            "built-in");
  EXPECT_EQ(
      lines.back(),
      "16f819    PIC16f819   ID 04E0/3FF0  2048 words  256 bytes  config 2007/3FFF  88  built-in");
}

TEST(CliChipsTest, AUsersFileAddsAChipThatExpectNames) {
  const CliDir dir("user_chips");
  Write_File_Text(dir / "mine.chips", kUserChip);
  CliRun r = Run_Cli_Args({"--chips", dir / "mine.chips", "chips"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(
      Lines(r.out).back(),
      "16f999    PIC16f999   ID 3100/3FE0  2048 words  128 bytes  config 2007/3BFF  84a-87x  " +
          (dir / "mine.chips") + ", line 2");
  r = Run_Cli_Args({"--chips=" + dir / "mine.chips", "--board", "sim:chip=16f877", "--expect",
                    "pic16F999", "device-id"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err,
            "corvane-cli: device-id: refused: found PIC16F877 (ID 0x09A3), expected "
            "PIC16F999\n");
}

TEST(CliChipsTest, RefusesAWrongFileWithItsLineAndField) {
  const CliDir dir("wrong_chips");
  std::string text = kUserChip;
  text.replace(text.find("words = 2048"), 12, "words = lots");
  Write_File_Text(dir / "bad.chips", text);
  const CliRun r = Run_Cli_Args({"--chips", dir / "bad.chips", "--board", "sim", "device-id"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "corvane-cli: " + (dir / "bad.chips") +
                       ":4: words: 'lots' is not a number from 0 to 8192\n"
                       "Try 'corvane-cli --help'.\n");
  EXPECT_EQ(Run_Cli_Args({"--chips", dir / "none.chips", "chips"}).status, 2);
}

TEST(CliChipsTest, ConfigSetsTheTablesNamedFields) {
  const CliDir dir("config_fields");
  const std::string sim = "sim:chip=16f877,state=" + (dir / "chip.hex");
  CliRun r = Run_Cli_Args({"--board", sim, "--status", "config", "wdte=ON", "config", "FOSC=hs",
                           "program-fuses", "check-fuses"});
  ASSERT_EQ(r.status, 0) << r.err;
  // The fuse controls follow (the oscillator button normalises the word, as a click does).
  EXPECT_NE(r.err.find("[Fuses] Fuses 0x3F36\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("[Status] Device Fuses : 0x3F36\n"), std::string::npos) << r.err;
  r = Run_Cli_Args({"--board", sim, "config", "FOSC=INTOSCIO", "program-fuses"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("FOSC of PIC16F877 takes LP, XT, HS, RC, not INTOSCIO"), std::string::npos)
      << r.err;
}

TEST(CliChipsTest, TheChecksumTakesTheTablesConfigurationMask) {
  const CliDir dir("checksum_mask");
  Write_File_Text(dir / "config.hex", ":02400E00FF3F72\n:00000001FF\n");  // 0x3FFF alone
  // A 16F628A: 2048 blank words (0xF800 kept of their sum), and the word as loaded (the 62xA
  // keeps every field as the file sets it) under 0x21FF: 0x21FF.
  const CliRun r =
      Run_Cli_Args({"--board", "sim:chip=16f877,id=1063", "load", dir / "config.hex", "checksum"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Checksum of the file : 0x19FF\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace corvane::testing
