// The console program's conventions: -h, -q (only what failed) and -v (every status change, as
// --status), and on a terminal the fast speed's hint before a long step.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "cli/args.h"
#include "cli/runner.h"
#include "cli_support.h"

namespace corvane {
namespace {

const std::string kData = CORVANE_TEST_DATA;
const std::string kDemo84 = kData + "/pic16f84a_demo_inhx8m.hex";
// Fills the 16F877's program memory: programming it reads every word, for minutes.
const std::string kDemo877 = kData + "/pic16f877_demo_inhx32.hex";

using testing::CliRun;
using testing::Run_Cli_Args;

// As from a terminal: stderr is one (the progress line and the speed hint show).
CliRun Cli_On_Terminal(std::vector<std::string> args) {
  std::vector<std::string_view> views(args.begin(), args.end());
  std::ostringstream out, err;
  const int status = Run_Cli(views, out, err, true);
  return {status, out.str(), err.str()};
}

TEST(CliOptionsTest, HelpListsTheShortOptions) {
  const std::string help = Cli_Usage();
  for (const char* line :
       {"\n  -h, --help ", "\n  -q, --quiet ", "\n  -v, --verbose ", "\n  --status "}) {
    EXPECT_NE(help.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(Run_Cli_Args({"-h"}).out, help);
}

struct QuietCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* err;  // the whole of stderr
};

class CliQuietTest : public ::testing::TestWithParam<QuietCase> {};

// -q leaves stdout empty (no log, no panels) and stderr to the failures.
TEST_P(CliQuietTest, PrintsOnlyWhatFailed) {
  std::vector<std::string> args = {"-q", "--board", "sim"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const CliRun r = Run_Cli_Args(args);
  EXPECT_EQ(r.status, GetParam().status);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CliQuietTest,
    ::testing::Values(
        QuietCase{"Clean", {"load", kDemo84, "program", "verify", "device-id"}, 0, ""},
        QuietCase{
            "Failed", {"load", kDemo84, "verify"}, 1, "corvane-cli: verify: 12 differences\n"},
        QuietCase{"Refused",
                  {"reset"},
                  3,
                  "corvane-cli: reset: refused: the board is not a Tessel board\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliOptionsTest, VerboseIsStatusAndExcludesQuiet) {
  const CliRun status = Run_Cli_Args({"--board", "sim", "--status", "load", kDemo84, "program"});
  for (const char* verbose : {"-v", "--verbose"}) {
    const CliRun r = Run_Cli_Args({"--board", "sim", verbose, "load", kDemo84, "program"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, status.out);
    EXPECT_EQ(r.err, status.err);
    EXPECT_NE(r.err.find("[Status] End of Writing\n"), std::string::npos) << r.err;
  }
  const CliRun both = Run_Cli_Args({"--board", "sim", "-q", "--status", "device-id"});
  EXPECT_EQ(both.status, 2);
  EXPECT_EQ(both.err,
            "corvane-cli: -q (--quiet) and -v (--verbose, --status) cannot be used together\n"
            "Try 'corvane-cli --help'.\n");
}

TEST(CliOptionsTest, ALongStepOnATerminalFirstSaysWhatTheFastSpeedTakes) {
  const std::string hint =
      "corvane-cli: this takes about [0-9]+ min( [0-9]+ s)? at normal speed; `speed fast` takes "
      "about [0-9]+ (s|min)( [0-9]+ s)?\n";
  CliRun r = Cli_On_Terminal({"--board", "sim:chip=16f877", "load", kDemo877, "program"});
  EXPECT_EQ(r.status, 0) << r.err;
  // Once, before the step's progress line.
  std::smatch m;
  ASSERT_TRUE(std::regex_search(r.err, m, std::regex(hint))) << r.err;
  EXPECT_EQ(m.position(0), 0);
  EXPECT_FALSE(std::regex_search(r.err.substr(m.length(0)), std::regex(hint)));
  EXPECT_NE(r.err.find(" left"), std::string::npos) << "the progress line follows";
  // Nothing to say: a short step, the fast speed, stderr not a terminal, or -q.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--board", "sim", "load", kDemo84, "program"},
        std::vector<std::string>{"--board", "sim:chip=16f877", "speed", "fast", "load", kDemo877,
                                 "program"},
        std::vector<std::string>{"-q", "--board", "sim:chip=16f877", "load", kDemo877,
                                 "program"}}) {
    r = Cli_On_Terminal(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.find("this takes about"), std::string::npos) << r.err;
  }
  EXPECT_EQ(r.err, "") << "-q: no progress line either";
  r = Run_Cli_Args({"--board", "sim:chip=16f877", "load", kDemo877, "program"});
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace corvane
