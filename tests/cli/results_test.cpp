// What a script reads from the console program: the panels of steps that log nothing, the one-line
// summary of a failing step, --expect, settings in any case, --version and a run without steps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/expect.h"
#include "cli/runner.h"
#include "cli/step_report.h"
#include "cli_support.h"

namespace corvane {
namespace {

const std::string kData = CORVANE_TEST_DATA;
const std::string kDemo84 = kData + "/pic16f84a_demo_inhx8m.hex";
const std::string kDemo877 = kData + "/pic16f877_demo_inhx32.hex";

using testing::CliRun;
CliRun Cli(std::vector<std::string> args) {
  return testing::Run_Cli_Args(std::move(args));
}

std::string Temp(const std::string& name) {
  const std::string path = ::testing::TempDir() + "cli_results_" + name;
  std::filesystem::remove(path);
  return path;
}

// The last line of a text, without its line end.
std::string Last_Line(const std::string& text) {
  const std::size_t end = text.size() - (!text.empty() && text.back() == '\n' ? 1 : 0);
  const std::size_t start = text.rfind('\n', end == 0 ? 0 : end - 1);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - (start + 1));
}

// A 16F84A whose configuration word protects the code: its memory reads as zeros and every word
// written to it reads back as 0.
std::string Protected_Chip(const std::string& name) {
  const std::string state = Temp(name);
  std::ofstream(state) << ":02400E000F00A1\n:00000001FF\n";
  return state;
}

TEST(CliResultsTest, StepsThatLogNothingPrintThePanelsTheyChanged) {
  CliRun r = Cli({"--board", "sim", "device-id"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "[Device] Device : PIC16f84 (561)\n[Status] Verifying Device Id\n");
  EXPECT_EQ(r.err, "");

  r = Cli({"--board", "sim", "check-fuses", "erase", "erase-eeprom", "program-fuses", "find-port"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "[Device] Device : PIC16f84 (561)\n[Status] Device Fuses : 0x3FFF\n"
            "[Status] Device Erased\n"
            "[Status] EEPROM Erased\n"
            "[Device] Device : PIC16f84 (561)\n[Status] Fuses Written\n"
            "[Port] Port : LPT1:\n");

  // A setting prints the panel its handler changed; one that changes nothing prints nothing.
  r = Cli({"--board", "sim", "osc", "hs", "osc", "HS", "speed", "low", "wdt", "On"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "[Fuses] Fuses 0x3FF2\n[Fuses] Fuses 0x3FF6\n");

  // The reset of a Tessel board changes no panel.
  r = Cli({"--board", "sim:board=tessel", "reset"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(CliResultsTest, StepsThatLogKeepTheirPanelsOffStdout) {
  CliRun r = Cli({"--board", "sim", "--status", "load", kDemo84, "program", "verify"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find('['), std::string::npos) << r.out;
  // --status still shows every change, start-up's included, on stderr.
  EXPECT_NE(r.err.find("[Port] Port : LPT1:\n"), std::string::npos);
  EXPECT_NE(r.err.find("[Status] Verify finished\n"), std::string::npos);

  // With --status the silent step's panels are on both streams.
  r = Cli({"--board", "sim", "--status", "erase"});
  EXPECT_EQ(r.out, "[Status] Device Erased\n");
  EXPECT_NE(r.err.find("[Status] Erasing Device\n[Status] Device Erased\n"), std::string::npos);
}

TEST(CliResultsTest, AFailingVerifySaysHowManyWordsDiffer) {
  const std::string state = Temp("verify_state.hex");
  const std::string board = "sim:chip=16f877,state=" + state;
  ASSERT_EQ(Cli({"--board", board, "load", kDemo877, "program"}).status, 0);

  // Every program word differs from the blank chip beyond the eleven the log lists.
  const std::string blank = Temp("verify_blank.hex");
  ASSERT_EQ(Cli({"--board", "sim:chip=16f877,state=" + blank, "load", kDemo877, "verify"}).status,
            1);
  CliRun r = Cli({"--board", "sim:chip=16f877,state=" + blank, "load", kDemo877, "verify"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("to much errors !\n"), std::string::npos);
  EXPECT_EQ(Last_Line(r.err), "corvane-cli: verify: 14 differences") << r.err;

  // The right program with another oscillator: only the configuration word differs.
  r = Cli({"--board", board, "load", kDemo877, "osc", "RC", "verify"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "corvane-cli: Mismatch in configuration fuses\n"
            "corvane-cli: verify: the configuration word reads 0x3F3E instead of 0x3F3F\n");
}

TEST(CliResultsTest, AFailingProgramNamesTheWordThatDidNotProgram) {
  CliRun r = Cli({"--board", "sim:state=" + Protected_Chip("locked1.hex"), "load", kDemo84,
                  "program", "verify"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("corvane-cli: Error at @ : 0 Read :0 instead of :2805\n"),
            std::string::npos);
  EXPECT_EQ(Last_Line(r.err), "corvane-cli: program: the word at 0x0 did not program");
  EXPECT_EQ(r.out.find("Verify of Device Content"), std::string::npos);  // the run stopped

  r = Cli(
      {"--board", "sim:state=" + Protected_Chip("locked2.hex"), "load", kDemo84, "program-eeprom"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Last_Line(r.err),
            "corvane-cli: program-eeprom: the EEPROM byte at 0x0 did not program");
}

TEST(CliResultsTest, SummaryOfOtherFailures) {
  WorkingState st;
  EXPECT_EQ(Failure_Summary("program", st, {"Error at @ : 12 Read :0 instead of :3FFF"}),
            "program: the word at 0x12 did not program");
  // The first box that names a word wins over the EEPROM boxes that follow it.
  EXPECT_EQ(Failure_Summary("program", st,
                            {"Error at @ : 3FF Read :0 instead of :1",
                             "EEPROM Error at @ : 5 Read :0 instead of :1"}),
            "program: the word at 0x3FF did not program");
  EXPECT_EQ(Failure_Summary("load", st, {"Error while reading file", "second"}),
            "load: Error while reading file");
  EXPECT_EQ(Failure_Summary("program", st, {}), "program: failed");

  st.LastProgramAddress = 2;
  st.ProgramImage[1] = 5;
  EXPECT_EQ(Verify_Differences(st), 1);
  EXPECT_EQ(Failure_Summary("verify", st, {}), "verify: 1 difference");
  st.ProgramImage[3] = 5;  // past the file's last address: not compared
  EXPECT_EQ(Verify_Differences(st), 1);
  // The user IDs the file gives count as the verify read them; an ID it did not read, or one the
  // file does not give, counts for nothing.
  st.UserIdImage = {1, 2, kNoUserId, 4};
  st.UserIdRead = {1, 7, 9, kNoUserId};
  EXPECT_EQ(Verify_Differences(st), 2);
  EXPECT_EQ(Failure_Summary("verify", st, {}), "verify: 2 differences");
  st.UserIdImage = {kNoUserId, kNoUserId, kNoUserId, kNoUserId};
  st.DeviceConfigWord = 0x3FF1;
  st.ConfigWord = 0x3FF2;
  EXPECT_EQ(Failure_Summary("verify", st, {"Mismatch in configuration fuses"}),
            "verify: 1 difference, and the configuration word reads 0x3FF1 instead of 0x3FF2");

  // A program that does not fit: the box says why.
  const std::string big = Temp("big.hex");
  std::ofstream(big) << ":0207FE00FF3FC1\n:00000001FF\n";  // a word at 0x3FF: 1024 words, fits
  const std::string huge = Temp("huge.hex");
  std::ofstream(huge) << ":02080000FF3FB8\n:00000001FF\n";  // a word at 0x400: 1025 words
  CliRun r = Cli({"--board", "sim", "load", huge, "program"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Last_Line(r.err),
            "corvane-cli: program: Programming cancelled : 1025 words of program do not fit the "
            "PIC16f84 (1024 words)");
}

TEST(CliResultsTest, ExpectRefusesBoardStepsOnAnotherChip) {
  const std::string state = Temp("expect_state.hex");
  CliRun r = Cli({"--board", "sim:state=" + state, "--expect", "16f877", "load", kDemo84, "program",
                  "verify"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(Last_Line(r.err),
            "corvane-cli: program: refused: found PIC16F84A (ID 0x0561), expected PIC16F877");
  // The load ran (it needs no board); nothing was written to the chip.
  EXPECT_NE(r.out.find("11 lines of program and 5 Bytes in EEPROM Data\n"), std::string::npos);
  EXPECT_EQ(r.out.find("Writing PROGRAM"), std::string::npos);
  r = Cli({"--board", "sim:state=" + state, "load", kDemo84, "verify"});
  EXPECT_EQ(r.status, 1);  // still blank

  r = Cli(
      {"--board", "sim:chip=16f877", "--expect=PIC16F877", "load", kDemo877, "program", "verify"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");

  r = Cli({"--board", "sim:chip=16f873", "--expect", "16f84a", "device-id"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err,
            "corvane-cli: device-id: refused: found PIC16F873 (ID 0x0963), expected PIC16F84A\n");
  EXPECT_EQ(r.out, "");
}

TEST(CliResultsTest, ExpectOfAnAllOnesWordMatchesOnlyThe16F84WithAWarning) {
  // The PIC16F84 has no identification word; an empty socket reads the same.
  for (const std::string chip : {"16f84", "none"}) {
    CliRun r =
        Cli({"--board", "sim:chip=" + chip, "--expect", "16F84", "device-id", "check-fuses"});
    EXPECT_EQ(r.status, 0) << chip << r.err;
    EXPECT_EQ(r.err,
              "corvane-cli: warning: the identification word reads 0x3FFF: a PIC16F84 or an "
              "empty socket\n")
        << chip;
  }
  CliRun r = Cli({"--board", "sim:chip=none", "--expect", "16f84a", "erase"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err,
            "corvane-cli: erase: refused: found a PIC16F84 or an empty socket (ID 0x3FFF), "
            "expected PIC16F84A\n");
}

TEST(CliResultsTest, ExpectNamesOnlyKnownChips) {
  CliRun r = Cli({"--board", "sim", "--expect", "16f99", "device-id"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(
      r.err,
      "corvane-cli: --expect takes 16f84|16f84a|16f870|16f871|16f872|16f873|16f874|16f876|16f877|"
      "16f627a|16f628a|16f648a|16f873a|16f874a|16f876a|16f877a|16f87|16f88|16f818|16f819, "
      "not 16f99\n"
      "Try 'corvane-cli --help'.\n");
  EXPECT_EQ(Cli({"--board", "sim", "--expect"}).status, 2);
  EXPECT_EQ(Cli({"--board", "sim", "--expect=", "device-id"}).status, 2);

  ASSERT_NE(Find_Chip(Builtin_Chips(), "PIC16f876"), nullptr);
  EXPECT_EQ(Find_Chip(Builtin_Chips(), "pic16F876")->key, "16f876");
  EXPECT_EQ(Find_Chip(Builtin_Chips(), "pic"), nullptr);
  EXPECT_EQ(Find_Chip(Builtin_Chips(), "16f8"), nullptr);
  const ChipEntry& f874 = *Find_Chip(Builtin_Chips(), "16f874");
  EXPECT_EQ(Check_Expected(Builtin_Chips(), f874, 0x0925).refusal, "");
  EXPECT_EQ(Check_Expected(Builtin_Chips(), f874, 0x0960).refusal,
            "found PIC16F873 (ID 0x0960), expected PIC16F874");
  EXPECT_EQ(Check_Expected(Builtin_Chips(), f874, 0x1234).refusal,
            "found an unknown chip (ID 0x1234), expected PIC16F874");
  EXPECT_EQ(Check_Expected(Builtin_Chips(), *Find_Chip(Builtin_Chips(), "16f876"), 0x09E7).refusal,
            "");
  EXPECT_EQ(Check_Expected(Builtin_Chips(), *Find_Chip(Builtin_Chips(), "16f876"), 0x09A7).refusal,
            "found PIC16F877 (ID 0x09A7), expected PIC16F876");
  EXPECT_EQ(Check_Expected(Builtin_Chips(), *Find_Chip(Builtin_Chips(), "16f84"), 0x0561).refusal,
            "found PIC16F84A (ID 0x0561), expected PIC16F84");
}

TEST(CliResultsTest, SettingsTakeTheirValuesInAnyCase) {
  CliRun r = Cli({"--board", "sim", "--status", "osc", "hs", "wdt", "ON", "pwrt", "oN", "bod",
                  "Off", "vdd", "GREY", "speed", "Normal", "auto", "On"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("[Fuses] Fuses 0x3FF2\n[Fuses] Fuses 0x3FF6\n"), std::string::npos) << r.err;
  r = Cli({"--board", "sim", "osc", "hx"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("step osc takes LP|XT|HS|RC, not hx"), std::string::npos) << r.err;
}

TEST(CliResultsTest, NoStepPrintsTheUsageAndStartsNothing) {
  const std::string trace = Temp("nostep_trace.txt");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"--board", "sim", "--status", "--trace", trace}}) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("corvane-cli: no step given\n\nUsage: corvane-cli ", 0), 0u) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(trace));  // no start-up: the port was never touched
}

TEST(CliResultsTest, VersionPrintsTheNameAndVersion) {
  const CliRun r = Cli({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(std::regex_match(r.out, std::regex(R"(corvane-cli \d+\.\d+\.\d+\n)"))) << r.out;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Cli({"--board", "sim", "--version", "program"}).out, r.out);  // and nothing else
  EXPECT_NE(Cli({"--help"}).out.find("--version"), std::string::npos);
}

}  // namespace
}  // namespace corvane
