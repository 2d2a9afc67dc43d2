// The console program, run in-process on the simulated board in virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/runner.h"
#include "cli_support.h"

namespace corvane {
namespace {

const std::string kData = CORVANE_TEST_DATA;

using testing::CliRun;
CliRun Cli(std::vector<std::string> args) {
  return testing::Run_Cli_Args(std::move(args));
}

std::string Temp(const std::string& name) {
  const std::string path = ::testing::TempDir() + "cli_" + name;
  std::filesystem::remove(path);
  return path;
}

std::string Read(const std::string& path) {
  return testing::Read_File_Text(path);
}

TEST(CliTest, HelpListsStepsAndExitStatuses) {
  const CliRun r = Cli({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* word : {"load FILE", "program-eeprom", "save FILE", "--board sim", "state=FILE",
                           "Exit status", "refused"}) {
    EXPECT_NE(r.out.find(word), std::string::npos) << word;
  }
}

TEST(CliTest, UsageErrorsExitTwoBeforeAnythingRuns) {
  const std::vector<std::vector<std::string>> bad = {
      {"--board", "sim", "frobnicate"},
      {"--board", "sim", "load"},
      {"--board", "sim", "osc", "XX"},
      {"--board", "sim", "wdt", "maybe"},
      {"--board", "sim:chip=16f88"},
      {"--board", "sim:colour=red"},
      {"--board", "parallel"},
      {"--board", "lpt:lpt3=/dev/parport0"},
      {"--board"},
      {"--trace"},
      {"--bogus"},
      {"--board", "sim", "--trace", "/nonexistent-dir/trace.txt", "device-id"},
      {"--board", "sim:fault=stuck-word:FFFFFFFF", "device-id"},
  };
  for (const auto& args : bad) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "") << args.back();
    EXPECT_EQ(r.err.rfind("corvane-cli: ", 0), 0u) << r.err;
  }
}

TEST(CliTest, ProgramsAndVerifiesAGpasmFileThenCatchesAChangedWord) {
  const std::string state = Temp("state877.hex");
  const std::string file = kData + "/pic16f877_demo_inhx32.hex";
  CliRun r = Cli({"--board", "sim:chip=16f877,state=" + state, "load", file, "program", "verify"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("8192 lines of program written\n"), std::string::npos);
  EXPECT_NE(r.out.find("Verify detected : 0 errors\n"), std::string::npos);
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
  EXPECT_EQ(r.err, "");
  ASSERT_TRUE(std::filesystem::exists(state));

  // The same chip, a file with one word changed: verify lists it and the run fails.
  std::string text = Read(file);
  const std::string from = ":0600000008308A00002810";
  const std::string to = ":0600000009308A0000280F";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), to);
  const std::string changed = Temp("changed.hex");
  std::ofstream(changed) << text;
  r = Cli({"--board", "sim:chip=16f877,state=" + state, "load", changed, "verify", "erase"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Error at Address : 0 Read : 3008 instead of : 3009\n"), std::string::npos);
  EXPECT_NE(r.out.find("Verify detected : 1 errors\n"), std::string::npos);
  // The erase after the failing step did not run: the chip still holds the program.
  r = Cli({"--board", "sim:chip=16f877,state=" + state, "load", file, "verify"});
  EXPECT_EQ(r.status, 0) << r.out;
}

TEST(CliTest, SaveRoundTripsTheWholeChip) {
  const std::string state = Temp("state84.hex");
  const std::string saved = Temp("saved.hex");
  CliRun r = Cli({"--board", "sim:chip=16f84a,state=" + state, "load",
                  kData + "/pic16f84a_demo_inhx32.hex", "program", "save", saved});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Save of Device Content\n\n1024 words of program, 4 ID words, Fuses 0x3FF1, "
                       "64 Bytes of EEPROM Data\nSaved to " +
                       saved + "\n"),
            std::string::npos)
      << r.out;
  const std::string text = Read(saved);
  EXPECT_NE(text.find(":02400E00F13F80"), std::string::npos);
  EXPECT_EQ(std::filesystem::remove(saved + ".tmp"), false);
  // A fresh run on the same chip: loading the saved file restores the word, and verify agrees.
  r = Cli({"--board", "sim:chip=16f84a,state=" + state, "--status", "load", saved, "verify"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("[Fuses] Fuses : 0x3FF1\n"), std::string::npos);
  EXPECT_NE(r.out.find("Verify detected : 0 errors\n"), std::string::npos);

  // A code-protected chip reads as zeros: nothing is saved.
  const std::string locked_state = Temp("locked_state.hex");
  {
    std::ofstream(locked_state) << ":02400E000F00A1\n:00000001FF\n";  // configuration word 0x000F
  }
  const std::string nothing = Temp("nothing.hex");
  r = Cli({"--board", "sim:chip=16f84a,state=" + locked_state, "save", nothing});
  EXPECT_NE(r.out.find("Save cancelled : the device is code protected (Fuses 0xF)\n"),
            std::string::npos);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "corvane-cli: Save cancelled : the device is code protected (Fuses 0xF)\n"
            "corvane-cli: save: Save cancelled : the device is code protected (Fuses 0xF)\n");
  EXPECT_FALSE(std::filesystem::exists(nothing));

  // A save that cannot be written fails and leaves nothing behind.
  r = Cli({"--board", "sim", "save", "/nonexistent-dir/x.hex"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("corvane-cli: Error while writing file"), std::string::npos);
}

TEST(CliTest, DisabledButtonsAreRefused) {
  CliRun r = Cli({"--board", "sim", "program", "verify"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "corvane-cli: program: refused: no file loaded\n");
  r = Cli({"--board", "sim", "reset"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "corvane-cli: reset: refused: the board is not a Tessel board\n");
  r = Cli({"--board", "sim:board=tessel", "reset", "device-id"});
  EXPECT_EQ(r.status, 0) << r.err;
  r = Cli({"--board", "sim", "load", "-", "verify"});
  EXPECT_EQ(r.status, 3);
}

TEST(CliTest, FailingStepsEndTheRun) {
  // A missing file fails the load; the steps after it do not run.
  CliRun r = Cli({"--board", "sim", "load", "/nonexistent/x.hex", "device-id"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "corvane-cli: Error while reading file : /nonexistent/x.hex: No such file or "
            "directory\ncorvane-cli: load: Error while reading file : /nonexistent/x.hex: No such "
            "file or directory\n");
  // "erreur de fichier" alone is not a failure.
  const std::string path = Temp("blank.hex");
  std::ofstream(path) << "\n:020000000528D1\n:00000001FF\n";
  r = Cli({"--board", "sim", "load", path});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "corvane-cli: erreur de fichier\n");
  // A configuration mismatch fails verify even with equal program words.
  r = Cli({"--board", "sim", "load", path, "verify"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("corvane-cli: Mismatch in configuration fuses\n"), std::string::npos);
}

TEST(CliTest, SettingsDriveTheControls) {
  const std::string path = Temp("worked.hex");
  std::ofstream(path) << ":020000000528D1\n:02400E00F13F80\n:00000001FF\n";
  CliRun r = Cli({"--board", "sim", "--status", "device", "PIC16f877", "load", path, "osc", "RC",
                  "wdt", "on", "bod", "off", "speed", "low", "speed", "low"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("[Fuses] Fuses : 0x3F71\n"), std::string::npos);
  EXPECT_NE(r.err.find("[Fuses] Fuses 0x3F73\n"), std::string::npos);
  EXPECT_NE(r.err.find("[Fuses] Fuses 0x3F77\n"), std::string::npos);
  EXPECT_NE(r.err.find("[Fuses] Fuses 0x3F37\n"), std::string::npos);
}

TEST(CliTest, TraceRecordsEveryPortAccess) {
  const std::string trace = Temp("trace.txt");
  CliRun r = Cli({"--board", "sim", "--trace", trace, "load", kData + "/pic16f84a_demo_inhx8m.hex",
                  "program"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::ifstream in(trace);
  std::string line;
  const std::regex format(R"(\d+ [RW] (378|379|278|279) [0-9A-F]{2})");
  long lines = 0, previous = -1, longest_gap = 0;
  while (std::getline(in, line)) {
    ASSERT_TRUE(std::regex_match(line, format)) << line;
    const long t = std::stol(line);
    if (lines == 0) {
      EXPECT_EQ(line, "1000000 R 278 FF");  // after the one-second calibration
    }
    if (previous >= 0) longest_gap = std::max(longest_gap, t - previous);
    previous = t;
    ++lines;
  }
  EXPECT_GT(lines, 5000);
  // The longest pause follows Begin Programming: the 10 units that end every command, then the
  // 1500 units of the programming wait, 0.302 s at normal speed.
  EXPECT_EQ(longest_gap, 302'000);

  const std::string vcd = Temp("trace.vcd");
  r = Cli({"--board", "sim", "--trace", vcd, "device-id"});
  ASSERT_EQ(r.status, 0);
  const std::string dump = Read(vcd);
  EXPECT_EQ(dump.rfind("$timescale 1ns $end\n", 0), 0u);
  EXPECT_NE(dump.find("$var wire 1 # clock $end"), std::string::npos);
  // The first change is the board's own port after the one-second calibration: the probe of
  // the empty LPT2 before it drives no line.
  const std::size_t first = dump.find("\n#", dump.find("$dumpvars"));
  ASSERT_NE(first, std::string::npos);
  EXPECT_GT(std::stoll(dump.substr(first + 2)), 1'000'000'000);
}

TEST(CliTest, NoParallelPortRefusesBoardStepsQuickly) {
  if (std::filesystem::exists("/proc/sys/dev/parport") &&
      !std::filesystem::is_empty("/proc/sys/dev/parport")) {
    GTEST_SKIP() << "this machine has a parallel port";
  }
  // Real time: the calibration takes one second, discovery next to nothing.
  const CliRun r = Cli({"--board", "lpt", "device-id"});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("corvane-cli: No Valid Port Found ! (Check connections and supply "
                       "voltages)\n"),
            std::string::npos);
  EXPECT_NE(r.err.find("corvane-cli: device-id: refused: no programmer board found\n"),
            std::string::npos);
  EXPECT_EQ(r.out, "");
}

TEST(CliTest, TimingViolationsOnTheSimulatedChipFailTheStep) {
  for (const char* board : {"brannock", "tessel"}) {
    const CliRun r =
        Cli({"--board", std::string("sim:run=outputs,board=") + board, "device-id", "device-id"});
    EXPECT_EQ(r.status, 1) << board;
    const std::string expected =
        "corvane-cli: simulated chip: 1 timing violations, first: MCLR reached Vpp while the "
        "chip's program drove the clock and data lines high: programming mode not entered\n";
    EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
  }
  const CliRun clean = Cli({"--board", "sim:run=inputs", "device-id"});
  EXPECT_EQ(clean.status, 0) << clean.err;
  EXPECT_EQ(clean.err, "");
}

TEST(CliTest, FastSpeedProgramsAndVerifiesWithoutViolations) {
  const std::string file = kData + "/pic16f877_demo_inhx32.hex";
  const CliRun r = Cli({"--board", "sim:chip=16f877,board=tessel", "speed", "fast", "load", file,
                        "program", "verify", "speed", "normal", "verify"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("8192 lines of program written\n"), std::string::npos);
  const CliRun bad = Cli({"--board", "sim", "speed", "turbo"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("speed takes low|normal|fast"), std::string::npos) << bad.err;
}

TEST(CliTest, ProgressLineOnATerminalShowsCountPercentAndTimeLeft) {
  const std::string file = kData + "/pic16f877_demo_inhx32.hex";
  std::vector<std::string> args = {"--board", "sim:chip=16f877", "load", file, "program"};
  std::vector<std::string_view> views(args.begin(), args.end());
  std::ostringstream out, err;
  ASSERT_EQ(Run_Cli(views, out, err, true), 0) << err.str();
  const std::string e = err.str();
  EXPECT_NE(e.find("\r\033[KWriting to Device  4080/8192  49%  "), std::string::npos);
  EXPECT_TRUE(std::regex_search(e, std::regex("4080/8192  49%  [0-9]+:[0-5][0-9] left")));
  EXPECT_NE(e.find("8192/8192  100%\r\033[K"), std::string::npos) << "cleared at the end";
  EXPECT_EQ(out.str().find('\033'), std::string::npos) << "nothing of it on stdout";
}

}  // namespace
}  // namespace corvane
