// corvane-cli stopped by real signals in the middle of programming: the handler only notes the
// request; the operation stops at its next port access or wait and the program leaves Vpp off,
// flushes the trace, writes the simulated chip back and exits with 128 + N.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/signal_run_posix.h"

namespace corvane {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Fresh_Dir(const std::string& name) {
  const std::string dir = ::testing::TempDir() + name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(CliSignalTest, SigintAndSigtermDuringProgrammingLeaveTheLinesSafe) {
  for (const int signal_number : {SIGINT, SIGTERM}) {
    const std::string dir = Fresh_Dir("cli_signal_" + std::to_string(signal_number));
    const std::string state = dir + "/chip.hex";
    // 20000 accesses in: well inside the 8192-word program write, which takes over a million.
    const testing::SignalRun run = testing::Run_And_Signal(
        {CORVANE_CLI_BINARY, "--board", "sim:chip=16f877,state=" + state, "--trace", "TRACE",
         "load", CORVANE_TEST_DATA "/pic16f877_demo_inhx32.hex", "program", "verify"},
        dir, 20000, signal_number);
    ASSERT_TRUE(run.exited) << signal_number;
    EXPECT_EQ(run.status, 128 + signal_number);
    const std::string err = Read(dir + "/stderr");
    EXPECT_EQ(err, std::string("corvane-cli: interrupted by ") +
                       (signal_number == SIGINT ? "SIGINT" : "SIGTERM") + "\n");
    EXPECT_EQ(Read(dir + "/stdout").find("lines of program written"), std::string::npos);
    // Stopped soon after the signal (far less than the rest of the write), Vpp removed last.
    ASSERT_FALSE(run.trace.empty());
    EXPECT_LT(run.trace.size(), static_cast<std::size_t>(run.lines_before_signal + 200000));
    const std::string& last = run.trace.back();
    ASSERT_NE(last.find(" W 378 "), std::string::npos) << last;
    EXPECT_EQ(std::stoi(last.substr(last.rfind(' ')), nullptr, 16) & 0x08, 0x08) << last;
    // The chip as it stands: written back, its first word programmed.
    const std::string chip = Read(state);
    EXPECT_EQ(chip.rfind(":1000000008308A00", 0), 0u) << chip.substr(0, 60);
  }
}

}  // namespace
}  // namespace corvane
