// Real signals, two of them, at seeded points of a run of the console program in virtual time:
// during start-up and the steps, and at every point of the way out (before, during and after the
// write that leaves the lines safe and the state write). However they fall, the run exits with
// 128 + the first one's number, the trace ends with Vpp off, the state file is whole and no
// temporary file is left. Each run is a child process: the handlers are the process's own.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <sstream>

#include "cli_support.h"
#include "image/hex_file.h"
#include "platform/interrupt.h"

namespace corvane::testing {
namespace {

// Counts the checks of a run and the points of its way out, and raises a real signal at two
// chosen counts.
class RaisingSource final : public InterruptSource {
 public:
  RaisingSource(long first_at, int first, long second_at, int second)
      : first_at_(first_at), first_(first), second_at_(second_at), second_(second) {}
  int Pending() override {
    Tick();
    return platform::Interrupt_Signal();
  }
  void Passing(WayOut) override { Tick(); }
  long count() const { return count_; }

 private:
  void Tick() {
    ++count_;
    if (count_ == first_at_) ::raise(first_);
    if (count_ == second_at_) ::raise(second_);
  }
  long first_at_, first_, second_at_, second_;
  long count_ = 0;
};

int Run_With(const std::vector<std::string>& args, InterruptSource& source) {
  std::vector<std::string_view> views(args.begin(), args.end());
  std::ostringstream out, err;
  return Run_Cli(views, out, err, false, &source);
}

// The run in a child process with the program's own signal handlers; its exit status, or -N when
// signal N killed it.
int Run_In_Child(const std::vector<std::string>& args, long first_at, int first, long second_at,
                 int second) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    platform::Install_Interrupt_Handlers();
    RaisingSource source(first_at, first, second_at, second);
    ::_exit(Run_With(args, source));
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

TEST(WayOutSignalsTest, ASecondSignalAnywhereNeverCutsTheWayOutShort) {
  CliDir dir("way_out");
  const std::string state = dir / "chip.hex";
  const std::string trace = dir / "run.trace";
  const std::vector<std::string> args = {
      "--board", "sim:state=" + state,
      "--trace", trace,
      "load",    std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex",
      "program"};
  RaisingSource none(-1, 0, -1, 0);
  ASSERT_EQ(Run_With(args, none), 0);
  const long whole = none.count();  // every check and way-out point of an uninterrupted run
  RaisingSource load_only(-1, 0, -1, 0);
  ASSERT_EQ(Run_With({args.begin(), args.end() - 1}, load_only), 0);
  const long started = load_only.count() - 8;  // the port found, the chip identified

  const int kinds[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
  std::mt19937 random(15);
  for (int trial = 0; trial < 40; ++trial) {
    std::filesystem::remove(state);
    // The first signal once the port is found, up to the very end; the second from the same
    // point to a dozen points later: into and past the way out.
    const long first_at = std::uniform_int_distribution<long>(started, whole)(random);
    const long second_at = first_at + std::uniform_int_distribution<long>(0, 12)(random);
    const int first = kinds[random() % 4];
    const int second = kinds[random() % 4];
    const std::string seen = "trial " + std::to_string(trial) + ": signals " +
                             std::to_string(first) + " at " + std::to_string(first_at) + ", " +
                             std::to_string(second) + " at " + std::to_string(second_at) + " of " +
                             std::to_string(whole);
    EXPECT_EQ(Run_In_Child(args, first_at, first, second_at, second), 128 + first) << seen;

    const std::string text = Read_File_Text(trace);
    const std::size_t last = text.rfind(" W 378 ");
    ASSERT_NE(last, std::string::npos) << seen;
    EXPECT_EQ(text.find('\n', last), text.size() - 1) << seen;  // the last line
    EXPECT_EQ(std::stoi(text.substr(last + 7), nullptr, 16) & 0x08, 0x08) << seen;
    ChipContents chip;
    std::string error;
    EXPECT_TRUE(Read_Chip_Hex(state, 1024, 64, &chip, &error)) << seen << ": " << error;
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"chip.hex", "run.trace"})) << seen;
  }
}

}  // namespace
}  // namespace corvane::testing
