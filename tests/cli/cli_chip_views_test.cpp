// The console's blank check, checksum and memory dump, and the summary line a failing step adds to
// the log on stdout.
#include <gtest/gtest.h>

#include "cli_support.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

TEST(CliChipViewsTest, BlankCheckFailsWhenTheChipIsNotBlank) {
  const CliRun erased = Run_Cli_Args({"--board", "sim", "erase", "blank-check"});
  EXPECT_EQ(erased.status, 0) << erased.err;
  EXPECT_NE(erased.out.find("Blank Check of Device Content\n\nDevice is blank\n"),
            std::string::npos);
  const CliRun programmed =
      Run_Cli_Args({"--board", "sim", "load", kDemo84, "program", "blank-check", "checksum"});
  EXPECT_EQ(programmed.status, 1);
  EXPECT_NE(programmed.out.find("Device is not blank : 18 locations\n"), std::string::npos);
  EXPECT_EQ(programmed.err, "corvane-cli: blank-check: Device is not blank\n");
  EXPECT_EQ(programmed.out.find("Checksum"), std::string::npos) << "no step after a failed one";
}

TEST(CliChipViewsTest, ChecksumAndDumpShowTheFileBesideTheChipAsLastRead) {
  CliDir dir("chip_views");
  const CliRun r = Run_Cli_Args({"--board", "sim", "load", kDemo84, "checksum", "program", "save",
                                 dir / "chip.hex", "checksum", "dump"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Checksum of the file : 0xE778\nChecksum of the chip : not read in full\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("Checksum of the file : 0xE778\nChecksum of the chip : 0xE778\n"
                       "Memory : file checksum 0xE778, chip checksum 0xE778\n"
                       "Program memory : file | chip ('*' where they differ)\n"
                       "0000  2805 3FFF 3FFF 3FFF 0009 1683 0186 1283  ........  | "
                       "2805 3FFF 3FFF 3FFF 0009 1683 0186 1283  ........\n"),
            std::string::npos);
  // 128 rows of program memory, then the configuration area and 8 rows of EEPROM: the last.
  const std::string last =
      "2138  ---- ---- ---- ---- ---- ---- ---- ----            | "
      "  FF   FF   FF   FF   FF   FF   FF   FF  ........\n";
  EXPECT_EQ(r.out.substr(r.out.size() - last.size()), last);
}

TEST(CliChipViewsTest, AFailingStepEndsTheLogWithItsSummaryOnStdout) {
  const CliRun r = Run_Cli_Args({"--board", "sim:chip=none", "load", kDemo84, "program"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.substr(r.out.rfind("PROGRAM failed")),
            "PROGRAM failed: 11 words not written; 5 Bytes of EEPROM Data not written; is a chip "
            "in the socket?\n");
  // stderr keeps its own summary.
  EXPECT_NE(r.err.find("corvane-cli: program: the word at 0x0 did not program\n"),
            std::string::npos);
}

}  // namespace
}  // namespace corvane::testing
