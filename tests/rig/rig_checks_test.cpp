// The simulated faults of the board option, the state file's checks and the value-change dump
// decoding only the programmer in use.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rig/board_spec.h"
#include "rig/rig.h"
#include "rig/trace_file.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string Temp(const std::string& name) {
  const std::string path = ::testing::TempDir() + "rig_checks_" + name;
  std::error_code ignored;
  fs::remove_all(path, ignored);
  return path;
}

std::unique_ptr<Rig> Make(const std::string& board, std::string* error,
                          const std::string& trace = "") {
  BoardSpec spec;
  if (!Parse_Board_Spec(board, &spec, error)) return nullptr;
  static WorkingState st;
  std::ostringstream diag;
  return Rig::Make(spec, trace, st, diag, error);
}

TEST(SimFaultsTest, FaultOptionsAreReadAndChecked) {
  BoardSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_Board_Spec("sim:fault=data-low", &spec, &error)) << error;
  EXPECT_EQ(spec.sim.faults.stuck_data, 0);
  ASSERT_TRUE(
      Parse_Board_Spec("sim:chip=16f877,fault=data-high,fault=lost:12345,fault=stuck-word:1a,fault="
                       "stuck-word:0x2007",
                       &spec, &error))
      << error;
  EXPECT_EQ(spec.sim.faults.stuck_data, 1);
  EXPECT_EQ(spec.sim.faults.lost_after, 12345);
  EXPECT_EQ(spec.sim.faults.stuck_words, (std::vector<int>{0x1A, 0x2007}));
  ASSERT_TRUE(Parse_Board_Spec("sim", &spec, &error));
  EXPECT_FALSE(spec.sim.faults.stuck_data.has_value());
  EXPECT_EQ(spec.sim.faults.lost_after, -1);

  for (const char* bad :
       {"sim:fault=", "sim:fault=data", "sim:fault=lost:", "sim:fault=lost:-1", "sim:fault=lost:1x",
        "sim:fault=lost:99999999999", "sim:fault=stuck-word:", "sim:fault=stuck-word:0x",
        "sim:fault=stuck-word:G"}) {
    error.clear();
    EXPECT_FALSE(Parse_Board_Spec(bad, &spec, &error)) << bad;
    EXPECT_NE(error.find("data-low|data-high|lost:N|stuck-word:ADDR"), std::string::npos) << error;
  }
}

// Numbers too large for their field were once cut to an int (FFFFFFFF became -1 and aborted the
// run, 100000000 became word 0): every one is refused with its range.
TEST(SimFaultsTest, NumbersOutOfRangeAreRefused) {
  const struct {
    const char* option;
    const char* why;
  } cases[] = {
      {"stuck-word:FFFFFFFF", "FFFFFFFF is out of range (0-3FFF)"},
      {"stuck-word:80000000", "80000000 is out of range (0-3FFF)"},
      {"stuck-word:100000000", "100000000 is out of range (0-3FFF)"},
      {"stuck-word:0x4000", "4000 is out of range (0-3FFF)"},
      {"stuck-word:123456789ABCDEF0123", "123456789ABCDEF0123 is out of range (0-3FFF)"},
      {"lost:2147483648", "2147483648 is out of range (0-2147483647)"},
      {"lost:-5", "'-5' is not a decimal number"},
  };
  for (const auto& c : cases) {
    BoardSpec spec;
    std::string error;
    EXPECT_FALSE(Parse_Board_Spec(std::string("sim:chip=16f877,fault=") + c.option, &spec, &error))
        << c.option;
    EXPECT_EQ(error, std::string("board option fault takes data-low|data-high|lost:N|stuck-word:"
                                 "ADDR, not '") +
                         c.option + "': " + c.why);
  }
  BoardSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_Board_Spec("sim:fault=stuck-word:0003FFF,fault=lost:2147483647", &spec, &error))
      << error;
  EXPECT_EQ(spec.sim.faults.stuck_words, std::vector<int>{0x3FFF});
}

TEST(SimFaultsTest, AStuckWordMustBeOneOfTheChipsWords) {
  std::string error;
  EXPECT_FALSE(Make("sim:chip=16f84a,fault=stuck-word:400", &error));
  EXPECT_EQ(
      error,
      "board option fault=stuck-word:400: the chip has no such word (0-3FF, 2000-2003, 2007)");
  EXPECT_FALSE(Make("sim:chip=16f877,fault=stuck-word:2005", &error));
  EXPECT_TRUE(Make("sim:chip=16f877,fault=stuck-word:1FFF", &error)) << error;
  EXPECT_FALSE(Make("sim:chip=none,fault=stuck-word:0", &error));
  EXPECT_EQ(error, "board option fault=stuck-word needs a chip in the socket");
}

TEST(StateFileChecksTest, AStateFileThatIsNoRegularFileIsRefused) {
  std::string error;
  const std::string folder = Temp("folder");
  fs::create_directories(folder);
  EXPECT_FALSE(Make("sim:state=" + folder, &error));
  EXPECT_EQ(error, "state file " + folder + ": not a regular file");

  if (fs::exists("/dev/zero")) {
    EXPECT_FALSE(Make("sim:state=/dev/zero", &error));
    EXPECT_EQ(error, "state file /dev/zero: not a regular file");
  }
}

TEST(TraceFileChecksTest, TheDumpDecodesOnlyThePortInUse) {
  std::ostringstream out;
  std::uint16_t port = 0;
  VcdTraceWriter w(out, {[&port] { return port; }, [] { return kTessel; }});
  const std::size_t header = out.str().size();
  w.record({10, true, 0x378, 0x10});  // no port found yet: nothing
  port = 0x378;
  w.record({20, true, 0x278, 0x10});  // another port's probe: nothing
  w.record({30, false, 0x279, 0x40});
  EXPECT_EQ(out.str().size(), header);
  // Tessel: 0x10 is no Vpp (D3 clear), the chip powered by the board itself.
  w.record({40, true, 0x378, 0x10});
  EXPECT_EQ(out.str().substr(header), "#40\n1!\n0\"\n1#\n1$\n");
  // MCLR held in reset wins over Vpp.
  w.record({50, true, 0x378, 0x28});
  EXPECT_EQ(out.str().find("#50\n1\""), std::string::npos);
}

}  // namespace
}  // namespace corvane
