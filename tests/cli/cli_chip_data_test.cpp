// The console program on the simulated board with its faults: user IDs kept through save, load
// and program, saves that refuse a board that does not answer, and the faults themselves.
#include <gtest/gtest.h>

#include <random>

#include "cli_support.h"
#include "image/hex_file.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

struct ChipCase {
  const char* name;
  int words;
  int eeprom;
  std::uint16_t config;  // code protection off, and nothing the configuration rules change
};

// Contents that fill every kind of cell, as a chip in use would hold them.
ChipContents Busy_Chip(const ChipCase& chip) {
  std::mt19937 random(static_cast<unsigned>(chip.words));
  ChipContents c;
  for (int a = 0; a < chip.words; ++a) c.program.push_back(random() % 0x4000);
  for (int a = 0; a < chip.eeprom; ++a) c.eeprom.push_back(random() % 0x100);
  c.user_ids = {0x0001, 0x1234, 0x3FFE, 0x0000};
  c.config = chip.config;
  return c;
}

ChipContents Read_Chip(const std::string& path, const ChipCase& chip) {
  ChipContents c;
  std::string error;
  if (!Read_Chip_Hex(path, chip.words, chip.eeprom, &c, &error)) {
    ADD_FAILURE() << path << ": " << error;
    c.program.assign(static_cast<std::size_t>(chip.words), 0);  // so that callers may index
    c.eeprom.assign(static_cast<std::size_t>(chip.eeprom), 0);
  }
  return c;
}

TEST(CliChipDataTest, SaveLoadProgramSaveGivesTheSameFileOnEveryChip) {
  // The 87x configuration word has its low-voltage bit (0x80) clear: the configuration rules
  // always clear it, so a chip with it set would come back different in that one bit.
  for (const ChipCase& chip :
       {ChipCase{"16f84", 1024, 64, 0x3FF2}, ChipCase{"16f84a", 1024, 64, 0x3FF1},
        ChipCase{"16f873", 4096, 128, 0x3F72}, ChipCase{"16f877", 8192, 256, 0x3F35}}) {
    SCOPED_TRACE(chip.name);
    CliDir dir(std::string("roundtrip_") + chip.name);
    std::string error;
    ASSERT_TRUE(Write_Chip_Hex(dir / "source_state.hex", Busy_Chip(chip), &error)) << error;

    const std::string sim = std::string("sim:chip=") + chip.name + ",state=";
    CliRun r =
        Run_Cli_Args({"--board", sim + (dir / "source_state.hex"), "save", dir / "first.hex"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Run_Cli_Args({"--board", sim + (dir / "blank_state.hex"), "load", dir / "first.hex",
                      "program", "verify", "save", dir / "second.hex"});
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("Verify detected : 0 errors\n"), std::string::npos);
    EXPECT_EQ(Read_File_Text(dir / "second.hex"), Read_File_Text(dir / "first.hex"));
    EXPECT_EQ(Read_Chip(dir / "blank_state.hex", chip).user_ids,
              (std::array<std::uint16_t, 4>{0x0001, 0x1234, 0x3FFE, 0x0000}));
  }
}

TEST(CliChipDataTest, VerifyComparesTheIdsTheFileGives) {
  const ChipCase chip{"16f84a", 1024, 64, 0x3FF1};
  CliDir dir("ids_verify");
  CliRun r =
      Run_Cli_Args({"--board", "sim:state=" + (dir / "state.hex"), "load", kDemo84, "program"});
  ASSERT_EQ(r.status, 0) << r.err;
  ChipContents c = Read_Chip(dir / "state.hex", chip);
  EXPECT_EQ(c.user_ids, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
  c.user_ids[3] = 9;  // an ID changed on the chip behind the program's back
  std::string error;
  ASSERT_TRUE(Write_Chip_Hex(dir / "state.hex", c, &error)) << error;
  r = Run_Cli_Args({"--board", "sim:state=" + (dir / "state.hex"), "load", kDemo84, "verify"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Verify of Device Content\nError at Address : 2003 Read : 9 instead of : 4\n"
                       "Verify detected : 1 errors\n"),
            std::string::npos)
      << r.out;
  // The summary a script reads counts the ID as it counts a program word.
  EXPECT_EQ(r.err, "corvane-cli: verify: 1 difference\n");
}

TEST(CliChipDataTest, AnIdThatWillNotProgramStopsBeforeTheFuses) {
  const ChipCase chip{"16f84a", 1024, 64, 0x3FF1};
  CliDir dir("ids_stuck");
  CliRun r = Run_Cli_Args({"--board", "sim:fault=stuck-word:2001,state=" + (dir / "state.hex"),
                           "load", kDemo84, "program"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "corvane-cli: Error at @ : 2001 Read :3FFF instead of :2\n"
            "corvane-cli: program: the word at 0x2001 did not program\n");
  ChipContents c = Read_Chip(dir / "state.hex", chip);
  EXPECT_EQ(c.program[0], 0x2805);  // the program and EEPROM came first
  EXPECT_EQ(c.eeprom[0], 0x01);
  EXPECT_EQ(c.user_ids, (std::array<std::uint16_t, 4>{1, 0x3FFF, 0x3FFF, 0x3FFF}));
  EXPECT_EQ(c.config, 0x3FFF);  // the configuration word was not written

  // A program word that fails: neither the IDs nor the configuration word are written.
  CliDir dir2("ids_after_failure");
  r = Run_Cli_Args({"--board", "sim:fault=stuck-word:0,state=" + (dir2 / "state.hex"), "load",
                    kDemo84, "program"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "corvane-cli: Error at @ : 0 Read :3FFF instead of :2805\n"
            "corvane-cli: program: the word at 0x0 did not program\n");
  c = Read_Chip(dir2 / "state.hex", chip);
  EXPECT_EQ(c.eeprom[0], 0x01);
  EXPECT_EQ(c.user_ids, (std::array<std::uint16_t, 4>{0x3FFF, 0x3FFF, 0x3FFF, 0x3FFF}));
  EXPECT_EQ(c.config, 0x3FFF);
}

// Port accesses of a run: one line each in a text trace.
long Accesses(std::vector<std::string> args, const std::string& trace) {
  args.insert(args.begin(), {"--trace", trace});
  const CliRun r = Run_Cli_Args(args);
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string text = Read_File_Text(trace);
  return static_cast<long>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CliChipDataTest, ASaveFromABoardThatGoesAwayWritesNothing) {
  CliDir dir("save_lost");
  Write_File_Text(dir / "state.hex", Read_File_Text(kDemo84));  // a chip holding the demo
  const std::string board = "sim:state=" + (dir / "state.hex");
  // Start-up alone: a setting that changes nothing touches no port.
  const long start = Accesses({"--board", board, "auto", "grey"}, dir / "start.txt");
  const long whole = Accesses({"--board", board, "save", dir / "good.hex"}, dir / "whole.txt");
  ASSERT_GT(whole, start + 1000);

  // Half-way through the memory, and at the very start of the save.
  for (long lost : {start + (whole - start) / 2, start + 10}) {
    SCOPED_TRACE(lost);
    const CliRun r = Run_Cli_Args(
        {"--board", board + ",fault=lost:" + std::to_string(lost), "save", dir / "backup.hex"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "corvane-cli: Save cancelled : the device did not answer consistently\n"
              "corvane-cli: save: Save cancelled : the device did not answer consistently\n");
    EXPECT_NE(r.out.find("Save cancelled : the device did not answer consistently\n"),
              std::string::npos);
    EXPECT_EQ(r.out.find("Saved to"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "backup.hex"));
  }
}

TEST(CliChipDataTest, AnEmptySocketOrErasedChipIsSavedWithANote) {
  CliDir dir("save_erased");
  for (const std::string board : {"sim:chip=none", "sim:chip=16f877"}) {
    const CliRun r = Run_Cli_Args({"--board", board, "save", dir / "erased.hex"});
    EXPECT_EQ(r.status, 0) << board << r.err;
    EXPECT_NE(r.out.find(" Bytes of EEPROM Data\nThe device reads as erased (or the socket is "
                         "empty)\nSaved to "),
              std::string::npos)
        << r.out;
  }
  // A chip with anything on it gets no such note.
  Write_File_Text(dir / "state.hex", ":020000000528D1\n:00000001FF\n");
  const CliRun r =
      Run_Cli_Args({"--board", "sim:state=" + (dir / "state.hex"), "save", dir / "one.hex"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("reads as erased"), std::string::npos);
}

TEST(CliChipDataTest, AStuckDataLineFindsNoBoard) {
  for (const std::string fault : {"data-low", "data-high"}) {
    const CliRun r = Run_Cli_Args({"--board", "sim:fault=" + fault, "device-id"});
    EXPECT_EQ(r.status, 3) << fault;
    EXPECT_EQ(r.err,
              "corvane-cli: No Valid Port Found ! (Check connections and supply voltages)\n"
              "corvane-cli: device-id: refused: no programmer board found\n");
  }
  const CliRun help = Run_Cli_Args({"--help"});
  EXPECT_NE(help.out.find("fault=data-low|data-high|lost:N|stuck-word:ADDR"), std::string::npos);
}

TEST(CliChipDataTest, TheTesselDumpShowsTheTesselBoardsLines) {
  CliDir dir("tessel_vcd");
  const CliRun r =
      Run_Cli_Args({"--board", "sim:board=tessel", "--trace", dir / "t.vcd", "device-id"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string dump = Read_File_Text(dir / "t.vcd");
  const std::string changes = dump.substr(dump.find("$end\n", dump.find("$dumpvars")));
  // The Tessel board powers the chip all along; Vpp first shows as off, not applied by the
  // discovery's probes.
  EXPECT_NE(changes.find("\n1!\n"), std::string::npos);
  EXPECT_EQ(changes.find("\n0!\n"), std::string::npos);
  const std::size_t vpp = changes.find("\"\n");
  ASSERT_NE(vpp, std::string::npos);
  EXPECT_EQ(changes[vpp - 1], '0');
}

}  // namespace
}  // namespace corvane::testing
