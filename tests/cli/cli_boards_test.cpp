// The console program with boards as data: board=NAME|FILE on the machine's ports and on the
// simulated board, the board test answered by the simulated board or read from the input, and a
// description's mistakes as usage errors.
#include <gtest/gtest.h>

#include <sstream>

#include "boards/builtin_boards.h"
#include "cli/runner.h"
#include "cli_support.h"
#include "rig/board_spec.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

CliRun Cli_With_Input(std::vector<std::string> args, const std::string& input) {
  std::vector<std::string_view> views(args.begin(), args.end());
  std::ostringstream out, err;
  std::istringstream in(input);
  const int status = Run_Cli(views, out, err, false, nullptr, &in);
  return {status, out.str(), err.str()};
}

TEST(CliBoardsTest, TheBoardOptionNamesABoardForTheMachinesPortsAndTheSimulatedOne) {
  const BoardLibrary builtin("");
  BoardSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_Board_Spec("lpt:board=tait", &spec, &error, &builtin)) << error;
  EXPECT_EQ(spec.host_board, Builtin_Board("tait"));
  ASSERT_TRUE(Parse_Board_Spec("lpt:BOARD=P16PRO40", &spec, &error, &builtin)) << error;
  EXPECT_EQ(spec.host_board, Builtin_Board("p16pro40"));
  ASSERT_TRUE(Parse_Board_Spec("lpt", &spec, &error, &builtin));
  EXPECT_EQ(spec.host_board, nullptr);  // the Brannock or Tessel board, as discovery finds it
  // On the simulated board the program drives the board simulated; the two original ones it
  // finds by discovery as on the machine's ports.
  ASSERT_TRUE(Parse_Board_Spec("sim:board=tait", &spec, &error, &builtin));
  EXPECT_EQ(spec.sim.description, Builtin_Board("tait"));
  EXPECT_EQ(spec.host_board, Builtin_Board("tait"));
  ASSERT_TRUE(Parse_Board_Spec("sim:board=tessel", &spec, &error, &builtin));
  EXPECT_EQ(spec.sim.board, kTessel);
  EXPECT_EQ(spec.host_board, nullptr);
  for (const char* bad : {"lpt:board=", "lpt:board=tait,board=tait", "lpt:board=nope",
                          "sim:board=nope", "lpt:board=tait,lpt3=x"}) {
    error.clear();
    EXPECT_FALSE(Parse_Board_Spec(bad, &spec, &error, &builtin)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(CliBoardsTest, ADescriptionFileIsCheckedBeforeAnythingRuns) {
  CliDir dir("board_files");
  const std::string good = dir / "mine.board";
  Write_File_Text(good, "[mine]\nvpp = ~D3\nvdd = ~D2\nclock = D1\ndata-out = D0\ndata-in = ACK\n");
  CliRun r = Run_Cli_Args({"--board", "sim:board=" + good, "load", kDemo84, "program", "verify"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Verify detected : 0 errors"), std::string::npos);

  const std::string bad = dir / "bad.board";
  Write_File_Text(bad, "[bad]\nvpp = ~D3\nvdd = D2\nclock = ~D1\ndata-out = ~D0\ndata-in = D5\n");
  const std::string trace = dir / "t.trace";
  r = Run_Cli_Args({"--board", "lpt:board=" + bad, "--trace", trace, "device-id"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "corvane-cli: board option board=" + bad + ": " + bad +
                       ":6: data-in: D5 is an output (a data pin); inputs are status pins\n"
                       "Try 'corvane-cli --help'.\n");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"bad.board", "mine.board"})) << "no trace";
}

TEST(CliBoardsTest, TheSimulatedBoardAnswersTheBoardTest) {
  struct Case {
    std::string board;
    int status;
    std::string last;  // the log's last line
    std::string err;
  };
  const Case cases[] = {
      {"sim:board=p16pro40", 0, "Board test : every line followed (10 checks)", ""},
      {"sim:board=tessel,chip=none", 0, "Board test : every line followed (10 checks)", ""},
      // No board found: the test runs anyway, on the simulated board's port.
      {"sim:fault=data-low,port=lpt2", 1, "Board test : did not follow: data out (RB7), data in",
       "corvane-cli: No Valid Port Found ! (Check connections and supply voltages)\n"
       "corvane-cli: Board test: did not follow: data out (RB7), data in\n"
       "corvane-cli: board-test: did not follow: data out (RB7), data in\n"},
  };
  for (const Case& c : cases) {
    const CliRun r = Cli_With_Input({"--board", c.board, "board-test"}, "n\nn\n");
    EXPECT_EQ(r.status, c.status) << c.board;
    EXPECT_NE(r.out.find(c.last + "\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, c.err) << c.board;
  }
}

TEST(CliBoardsTest, OnARealBoardTheAnswersComeFromTheInput) {
  // The machine's ports: here none answers, and the test drives LPT1 all the same; the user
  // answers each measurement, and the end of the input stops the test.
  const CliRun r = Cli_With_Input({"--board", "lpt:board=tait", "board-test"}, "\ny\nN\n");
  if (r.status == 3) GTEST_SKIP() << "no parallel-port backend on this system";
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Vdd on: Vdd (pin 14 of an 18-pin chip's socket, pins 11 and 32 of a "
                       "40-pin one) should read 4.5 to 5.5 V now; press Enter\n  confirmed\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("  Vpp off: not confirmed\n"), std::string::npos);
  EXPECT_NE(r.out.find("Board test : stopped after 3 of 10 checks; did not follow: Vpp\n"),
            std::string::npos);
  EXPECT_NE(r.err.find("corvane-cli: board test: press Enter when the meter reads as said, n and "
                       "Enter when it does not, q and Enter to stop\n"),
            std::string::npos);
  EXPECT_NE(r.err.find("corvane-cli: board-test: stopped after 3 of 10 checks; did not follow: "
                       "Vpp\n"),
            std::string::npos);
}

}  // namespace
}  // namespace corvane::testing
