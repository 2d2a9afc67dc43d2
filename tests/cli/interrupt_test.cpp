// The console program stopped by a request (Ctrl+C, SIGTERM) at a chosen moment, in virtual time:
// the lines are left as Vpp_Off leaves them, the trace ends with that write, the simulated chip is
// written back as it stands, no half-saved file is left, and the exit status is 128 + N.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/runner.h"
#include "platform/interrupt.h"

namespace corvane {
namespace {

const std::string kData = CORVANE_TEST_DATA;

// Counts the checks the run makes (one per port access, wait slice and calibration step) and
// asks to stop from a chosen one on.
class StopAt final : public InterruptSource {
 public:
  explicit StopAt(long check = -1, int signal_number = 2) : at_(check), signal_(signal_number) {}
  int Pending() override { return at_ >= 0 && ++checks_ > at_ ? signal_ : 0; }
  long checks() const { return checks_; }

 private:
  long at_;
  int signal_;
  long checks_ = 0;
};

// Counts every check of a run that is never stopped.
class CountChecks final : public InterruptSource {
 public:
  int Pending() override {
    ++checks;
    return 0;
  }
  long checks = 0;
};

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Cli(const std::vector<std::string>& args, InterruptSource* stop) {
  std::vector<std::string_view> views(args.begin(), args.end());
  std::ostringstream out, err;
  const int status = Run_Cli(views, out, err, false, stop);
  return {status, out.str(), err.str()};
}

std::string Temp(const std::string& name) {
  const std::string path = ::testing::TempDir() + "interrupt_" + name;
  std::filesystem::remove(path);
  return path;
}

std::vector<std::string> Lines_Of(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// "1500 W 378 2A" gives 0x2A; -1 when the line is not a write to the data register.
int Data_Write(const std::string& line, const std::string& address = "378") {
  const std::string tag = " W " + address + " ";
  const std::size_t at = line.find(tag);
  if (at == std::string::npos) return -1;
  return std::stoi(line.substr(at + tag.size()), nullptr, 16);
}

TEST(InterruptTest, ProgrammingCutShortLeavesVppOffAndTheChipAsItStands) {
  const std::string file = kData + "/pic16f877_demo_inhx32.hex";
  const std::string state = Temp("state877.hex");
  const std::string trace = Temp("program.trace");
  const std::vector<std::string> args = {
      "--board", "sim:chip=16f877,state=" + state, "--trace", trace, "load", file, "program"};
  CountChecks whole;
  ASSERT_EQ(Cli(args, &whole).status, 0);
  std::filesystem::remove(state);

  StopAt stop(whole.checks * 6 / 10);
  const Outcome r = Cli(args, &stop);
  EXPECT_EQ(r.status, 130);
  EXPECT_EQ(r.err, "corvane-cli: interrupted by " + platform::Interrupt_Name(2) + "\n");
  EXPECT_NE(r.out.find("Writing PROGRAM to Device"), std::string::npos);
  EXPECT_EQ(r.out.find("lines of program written"), std::string::npos);

  // The last access is the write that removes Vpp (D3 set), the other lines as they were.
  const std::vector<std::string> lines = Lines_Of(trace);
  ASSERT_GE(lines.size(), 2u);
  const int last = Data_Write(lines.back());
  ASSERT_GE(last, 0) << lines.back();
  EXPECT_EQ(last & 0x08, 0x08);
  const std::string before = lines[lines.size() - 2];
  ASSERT_NE(before.find(" R 378 "), std::string::npos) << before;
  EXPECT_EQ(last, std::stoi(before.substr(before.rfind(' ')), nullptr, 16) | 0x08);

  // The chip was written back as it stands: the first words programmed, the rest not yet.
  ASSERT_TRUE(std::filesystem::exists(state));
  const Outcome check =
      Cli({"--board", "sim:chip=16f877,state=" + state, "load", file, "verify"}, nullptr);
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out.find("Error at Address : 0 "), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("Verify detected : "), std::string::npos);
  EXPECT_EQ(check.out.find("Verify detected : 0 errors"), std::string::npos);
}

TEST(InterruptTest, TesselBoardIsLeftWithAZeroByte) {
  const std::string trace = Temp("tessel.trace");
  const std::vector<std::string> args = {
      "--board", "sim:board=tessel,chip=16f84a",       "--trace", trace,
      "load",    kData + "/pic16f84a_demo_inhx8m.hex", "program"};
  CountChecks whole;
  ASSERT_EQ(Cli(args, &whole).status, 0);
  std::vector<std::string> lines = Lines_Of(trace);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(Data_Write(lines.back()), 0x00) << lines.back();  // a normal end too

  StopAt stop(whole.checks / 2, 15);
  const Outcome r = Cli(args, &stop);
  EXPECT_EQ(r.status, 143);
  EXPECT_EQ(r.err, "corvane-cli: interrupted by " + platform::Interrupt_Name(15) + "\n");
  lines = Lines_Of(trace);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(Data_Write(lines.back()), 0x00) << lines.back();
}

TEST(InterruptTest, ANormalEndAlsoRemovesVppLast) {
  const std::string trace = Temp("normal.trace");
  const Outcome r = Cli({"--board", "sim:port=lpt2", "--trace", trace, "device-id"}, nullptr);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = Lines_Of(trace);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_NE(lines[lines.size() - 2].find(" R 278 "), std::string::npos);
  EXPECT_EQ(Data_Write(lines.back(), "278") & 0x08, 0x08) << lines.back();
}

TEST(InterruptTest, AnInterruptedSaveLeavesNoFile) {
  const std::string dir = ::testing::TempDir() + "interrupt_save/";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::vector<std::string> args = {"--board", "sim:chip=16f877", "save", dir + "chip.hex"};
  CountChecks whole;
  ASSERT_EQ(Cli(args, &whole).status, 0);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);

  // Late in the reading of the chip, just before the file would be written.
  for (const long check : {whole.checks * 3 / 4, whole.checks - 40}) {
    StopAt stop(check);
    const Outcome r = Cli(args, &stop);
    EXPECT_EQ(r.status, 130) << check;
    EXPECT_EQ(r.out.find("Saved to"), std::string::npos) << check;
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << check;
  }
}

TEST(InterruptTest, StopsBetweenStepsAndDuringStartUp) {
  const std::string state = Temp("between.hex");
  const std::string trace = Temp("between.trace");
  const std::string file = kData + "/pic16f84a_demo_inhx8m.hex";
  // Start-up, then one check before the load, one after it and one at the end.
  CountChecks startup;
  ASSERT_EQ(Cli({"--board", "sim", "load", file}, &startup).status, 0);

  // Pending from the check before the first step: no step runs.
  StopAt after(startup.checks - 3);
  Outcome r = Cli({"--board", "sim:state=" + state, "load", file, "program"}, &after);
  EXPECT_EQ(r.status, 130);
  EXPECT_EQ(r.out.find(file), std::string::npos) << r.out;
  EXPECT_TRUE(std::filesystem::exists(state));

  // During the one-second calibration: no port access was made, so none is made on the way out.
  StopAt early(10);
  r = Cli({"--board", "sim", "--trace", trace, "device-id"}, &early);
  EXPECT_EQ(r.status, 130);
  EXPECT_TRUE(Lines_Of(trace).empty());
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace corvane
