// Each chip of the table round-trips on the simulated board: a full chip saved, loaded, programmed
// into a blank one, verified and saved again gives the same file, at every speed and on the boards
// that can power it.
#include <gtest/gtest.h>

#include <random>

#include "chips/chip_table.h"
#include "cli_support.h"
#include "image/hex_file.h"

namespace corvane::testing {
namespace {

const std::string kDemo877 = std::string(CORVANE_TEST_DATA) + "/pic16f877_demo_inhx32.hex";

struct RoundTrip {
  const char* chip;
  const char* board;
  const char* speed;
  std::uint16_t config;  // code protection off, and nothing the configuration rules change
  const char* shown;     // the "Device" panel after identification
};

std::string Name(const ::testing::TestParamInfo<RoundTrip>& info) {
  return std::string(info.param.chip) + "_" + info.param.board + "_" + info.param.speed;
}

class ChipRoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ChipRoundTripTest, SavedLoadedProgrammedAndSavedAgainIsTheSameFile) {
  const RoundTrip& p = GetParam();
  const ChipEntry& entry = *Builtin_Chips().Find_Key(p.chip);
  CliDir dir(Name({p, 0}));
  std::mt19937 random(static_cast<unsigned>(entry.id));
  ChipContents busy;
  for (int a = 0; a < entry.program_words; ++a) busy.program.push_back(random() % 0x4000);
  for (int a = 0; a < entry.eeprom_bytes; ++a) busy.eeprom.push_back(random() % 0x100);
  busy.user_ids = {0x0001, 0x1234, 0x3FFE, 0x0000};
  busy.config = p.config;
  std::string error;
  ASSERT_TRUE(Write_Chip_Hex(dir / "source.hex", busy, &error)) << error;

  const std::string sim = std::string("sim:board=") + p.board + ",chip=" + p.chip + ",state=";
  CliRun r = Run_Cli_Args({"--board", sim + (dir / "source.hex"), "--expect", p.chip, "--status",
                           "save", dir / "first.hex"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find(std::string("[Device] ") + p.shown + "\n"), std::string::npos) << r.err;
  r = Run_Cli_Args({"--board", sim + (dir / "blank.hex"), "speed", p.speed, "load",
                    dir / "first.hex", "program", "verify", "save", dir / "second.hex"});
  ASSERT_EQ(r.status, 0) << r.err << r.out;
  EXPECT_NE(r.out.find("Verify detected : 0 errors\n"), std::string::npos);
  EXPECT_EQ(Read_File_Text(dir / "second.hex"), Read_File_Text(dir / "first.hex"));
}

// The 87x configuration word has its low-voltage bit (0x80) clear: the configuration rules always
// clear it.
INSTANTIATE_TEST_SUITE_P(
    The87x, ChipRoundTripTest,
    ::testing::Values(RoundTrip{"16f870", "brannock", "normal", 0x3F72, "Device : PIC16f870 (D03)"},
                      RoundTrip{"16f870", "brannock", "fast", 0x3F72, "Device : PIC16f870 (D03)"},
                      RoundTrip{"16f871", "tessel", "normal", 0x3F71, "Device : PIC16f871 (D23)"},
                      RoundTrip{"16f871", "brannock", "fast", 0x3F71, "Device : PIC16f871 (D23)"},
                      RoundTrip{"16f872", "brannock", "normal", 0x3F70, "Device : PIC16f872 (8E3)"},
                      RoundTrip{"16f872", "tessel", "fast", 0x3F70, "Device : PIC16f872 (8E3)"},
                      RoundTrip{"16f874", "tessel", "normal", 0x3F73, "Device : PIC16f874 (923)"},
                      RoundTrip{"16f874", "brannock", "fast", 0x3F73, "Device : PIC16f874 (923)"},
                      RoundTrip{"16f876", "brannock", "normal", 0x3F32, "Device : PIC16f876 (9E3)"},
                      RoundTrip{"16f876", "tessel", "fast", 0x3F32, "Device : PIC16f876 (9E3)"}),
    Name);

// The 87xA: 8-word rows, written with Begin Erase/Programming at normal speed and Begin
// Programming Only with End Programming at the fast speed; bits 12, 5 and 4 read as ones.
INSTANTIATE_TEST_SUITE_P(
    The87xA, ChipRoundTripTest,
    ::testing::Values(
        RoundTrip{"16f873a", "brannock", "normal", 0x3F72, "Device : PIC16f873A (E48)"},
        RoundTrip{"16f874a", "tessel", "fast", 0x3F71, "Device : PIC16f874A (E68)"},
        RoundTrip{"16f876a", "tessel", "normal", 0x3F7A, "Device : PIC16f876A (E08)"},
        RoundTrip{"16f877a", "brannock", "fast", 0x3F72, "Device : PIC16f877A (E28)"},
        RoundTrip{"16f877a", "brannock", "normal", 0x3F72, "Device : PIC16f877A (E28)"}),
    Name);

// The 62xA: Vpp before Vdd (so not on the Tessel board, which cannot), one word per Begin
// Programming after a bulk erase; bits 12..9 read as ones. Internal oscillator, MCLR pin as input.
INSTANTIATE_TEST_SUITE_P(
    The62xA, ChipRoundTripTest,
    ::testing::Values(
        RoundTrip{"16f627a", "brannock", "normal", 0x3F50, "Device : PIC16f627A (1043)"},
        RoundTrip{"16f628a", "brannock", "fast", 0x3F50, "Device : PIC16f628A (1063)"},
        RoundTrip{"16f628a", "tait", "normal", 0x3F61, "Device : PIC16f628A (1063)"},
        RoundTrip{"16f648a", "p16pro40", "fast", 0x3F62, "Device : PIC16f648A (1103)"}),
    Name);

// The 87/88 and 818/819: rows of 32 erased and 4 words programmed at a time, every write ended
// by End Programming.
INSTANTIATE_TEST_SUITE_P(
    The88, ChipRoundTripTest,
    ::testing::Values(
        RoundTrip{"16f87", "brannock", "normal", 0x3F72, "Device : PIC16f87 (724)"},
        RoundTrip{"16f88", "tessel", "fast", 0x2F72, "Device : PIC16f88 (764)"},
        RoundTrip{"16f88", "brannock", "normal", 0x3F71, "Device : PIC16f88 (764)"},
        RoundTrip{"16f818", "tessel", "normal", 0x3F72, "Device : PIC16f818 (4C4)"},
        RoundTrip{"16f819", "brannock", "fast", 0x3B72, "Device : PIC16f819 (4E4)"}),
    Name);

// A chip of a known family that the built-in table lacks: one entry in the user's file, and the
// programmer names it, sizes it and programs it.
TEST(UserChipTest, AnEntryInTheUsersFileProgramsItsChip) {
  CliDir dir("user_chip_round_trip");
  Write_File_Text(dir / "mine.chips", R"([PIC16F8777]
id = 3100/3FE0
words = 8192
eeprom = 256
config = 2007/3BFF
times = program 8ms, eeprom 8ms, erase 8ms
family = 84a-87x
)");
  const std::string sim = "sim:chip=16f877,id=3105,state=" + (dir / "chip.hex");
  const CliRun r =
      Run_Cli_Args({"--chips", dir / "mine.chips", "--board", sim, "--expect", "16f8777",
                    "--status", "load", kDemo877, "program", "verify", "save", dir / "saved.hex"});
  ASSERT_EQ(r.status, 0) << r.err << r.out;
  EXPECT_NE(r.err.find("[Device] Device : PIC16f8777 (3105)\n"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("Verify detected : 0 errors\n"), std::string::npos);
  // Without the entry the word names no chip: refused by --expect, shown as the 873.
  const CliRun without = Run_Cli_Args({"--board", sim, "--expect", "16f8777", "device-id"});
  EXPECT_EQ(without.status, 2);
  EXPECT_NE(Run_Cli_Args({"--board", sim, "--status", "device-id"})
                .err.find("[Device] Device : PIC16f873 (3105)\n"),
            std::string::npos);
}

struct Refused {
  const char* sim;    // the simulated board and the identification word its chip answers with
  const char* shown;  // the "Device" panel
  const char* why;
};

class NotWrittenTest : public ::testing::TestWithParam<Refused> {};

// A chip that the board cannot power in the order its family needs is named, read as any chip,
// and refused before any write.
TEST_P(NotWrittenTest, IsRefusedBeforeAnyWrite) {
  const Refused& p = GetParam();
  for (const char* step : {"program", "erase", "program-fuses", "program-eeprom"}) {
    SCOPED_TRACE(step);
    CliDir dir(std::string("not_written_") + std::to_string(std::hash<std::string>()(p.sim)));
    const std::string sim =
        std::string("sim:chip=16f877,") + p.sim + ",state=" + (dir / "chip.hex");
    const CliRun r =
        Run_Cli_Args({"--board", sim, "--status", "load", kDemo877, step, "save", dir / "x.hex"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(std::string("[Device] ") + p.shown + "\n"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find(std::string(p.why) + "\n"), std::string::npos) << r.out;
    // Nothing was written: the chip is still erased.
    ChipContents c;
    std::string error;
    ASSERT_TRUE(Read_Chip_Hex(dir / "chip.hex", 8192, 256, &c, &error)) << error;
    EXPECT_EQ(std::count(c.program.begin(), c.program.end(), 0x3FFF), 8192);
    EXPECT_EQ(c.config, 0x3FFF);
  }
}

INSTANTIATE_TEST_SUITE_P(
    OtherFamilies, NotWrittenTest,
    ::testing::Values(
        Refused{"board=tessel,id=1063", "Device : PIC16f628A (1063)",
                "Cancelled : the PIC16f628A (62xa family) enters programming mode with Vpp "
                "before Vdd, which the board tessel (Tessel board (Dravik hardware)) cannot "
                "give: it does not switch Vdd"}));

}  // namespace
}  // namespace corvane::testing
