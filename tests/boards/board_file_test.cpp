// The boards' text format: the built-in boards as the program drives them, the pins a description
// may name, every malformed description refused with its line and reason, and the user's boards
// folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "boards/board_file.h"
#include "boards/board_library.h"
#include "boards/builtin_boards.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using R = PortRegister;

struct Bit {
  R reg;
  int mask;
  bool active_low;
};

void Expect_Bit(const PortBit& p, Bit b, const std::string& what) {
  EXPECT_EQ(p.reg, b.reg) << what;
  EXPECT_EQ(p.mask, b.mask) << what;
  EXPECT_EQ(p.active_low, b.active_low) << what;
}

TEST(BuiltinBoardsTest, EachBoardAsWiredAndWhatItCanDo) {
  struct Case {
    const char* name;
    Bit vpp;
    std::optional<Bit> vdd;
    Bit clock, data_out, data_in;
    bool vpp_first;
    unsigned steps;
  };
  const Case cases[] = {
      {"brannock",
       {R::kData, 0x08, true},
       Bit{R::kData, 0x04, false},
       {R::kData, 0x02, true},
       {R::kData, 0x01, true},
       {R::kStatus, 0x40, true},
       true,
       kByteProbe},
      {"tessel",
       {R::kData, 0x08, false},
       std::nullopt,
       {R::kData, 0x02, true},
       {R::kData, 0x01, true},
       {R::kStatus, 0x40, true},
       false,
       kByteProbe | kByteLoopBack | kByteReset},
      {"tait",
       {R::kData, 0x08, true},
       Bit{R::kData, 0x04, true},
       {R::kData, 0x02, false},
       {R::kData, 0x01, false},
       {R::kStatus, 0x40, false},
       true,
       0},
      {"p16pro40",
       {R::kData, 0x08, false},
       Bit{R::kData, 0x04, false},
       {R::kData, 0x02, true},
       {R::kData, 0x01, true},
       {R::kStatus, 0x40, true},
       true,
       0},
  };
  ASSERT_EQ(Builtin_Boards().size(), std::size(cases));
  for (const Case& c : cases) {
    const auto b = Builtin_Board(c.name);
    ASSERT_TRUE(b) << c.name;
    Expect_Bit(b->vpp.at(0), c.vpp, std::string(c.name) + " vpp");
    EXPECT_EQ(b->vdd_switched(), c.vdd.has_value()) << c.name;
    if (c.vdd) Expect_Bit(b->vdd.at(0), *c.vdd, std::string(c.name) + " vdd");
    Expect_Bit(b->clock.at(0), c.clock, std::string(c.name) + " clock");
    Expect_Bit(b->data_out.at(0), c.data_out, std::string(c.name) + " data out");
    Expect_Bit(b->data_in, c.data_in, std::string(c.name) + " data in");
    EXPECT_EQ(b->vpp_first, c.vpp_first) << c.name;
    EXPECT_EQ(b->steps, c.steps) << c.name;
  }
  // The Tessel board's loop-back: D4 set shows as status bit 7 set.
  const auto tessel = Tessel_Board();
  Expect_Bit(*tessel->loop_out, {R::kData, 0x10, false}, "loop out");
  Expect_Bit(*tessel->loop_in, {R::kStatus, 0x80, false}, "loop in");
  EXPECT_EQ(Kind_Of(*tessel), kTessel);
  EXPECT_EQ(Kind_Of(*Brannock_Board()), kBrannock);
  EXPECT_EQ(Kind_Of(*Builtin_Board("tait")), kOtherBoard);
}

TEST(BoardFileTest, PinsByNamePinNumberOrRegisterBitWithThePortsInversionCorrected) {
  const BoardFile f = Parse_Board_Text(
      "[a]\nvpp = STROBE ~AUTOFD\nvdd = pin16\nclock = ~pin17\ndata-out = pin2\n"
      "data-in = BUSY\n"
      "[b]\nvpp = ~C0\nvdd = fixed\nclock = d7\ndata-out = C3\ndata-in = ~S7\n",
      "t.board");
  ASSERT_TRUE(f.problems.empty()) << f.Problems_Text();
  ASSERT_EQ(f.boards.size(), 2u);
  const BoardDescription& a = *f.boards[0];
  Expect_Bit(a.vpp[0], {R::kControl, 0x01, true}, "STROBE: the port inverts it");
  Expect_Bit(a.vpp[1], {R::kControl, 0x02, false}, "~AUTOFD: inverted twice");
  Expect_Bit(a.vdd[0], {R::kControl, 0x04, false}, "pin16 is INIT");
  Expect_Bit(a.clock[0], {R::kControl, 0x08, false}, "~pin17 is ~SELECT-IN");
  Expect_Bit(a.data_out[0], {R::kData, 0x01, false}, "pin2 is D0");
  Expect_Bit(a.data_in, {R::kStatus, 0x80, true}, "BUSY");
  EXPECT_TRUE(a.vpp_first);
  const BoardDescription& b = *f.boards[1];
  Expect_Bit(b.vpp[0], {R::kControl, 0x01, true}, "~C0");
  Expect_Bit(b.clock[0], {R::kData, 0x80, false}, "d7");
  Expect_Bit(b.data_out[0], {R::kControl, 0x08, false}, "C3, the register bit itself");
  Expect_Bit(b.data_in, {R::kStatus, 0x80, true}, "~S7");
  EXPECT_FALSE(b.vdd_switched());
  EXPECT_FALSE(b.vpp_first);
}

TEST(BoardFileTest, MalformedDescriptionsAreRefusedWithLineAndReason) {
  const std::string good = "vpp = ~D3\nvdd = D2\nclock = ~D1\ndata-out = ~D0\ndata-in = ~ACK\n";
  struct Case {
    std::string text;
    std::string problem;
    std::size_t kept = 0;  // boards read without a problem
  };
  const Case cases[] = {
      {"[x]\nvpp = ~D3\nvdd = D2\nclock = ~D1\ndata-in = ~ACK\n", "f:1: board 'x' lacks data-out"},
      {"[x]\n" + good + "loop-back = D3 BUSY\n", "f:7: pin D3 is used twice (vpp, line 2)"},
      {"[x]\nvpp = ~D3\nvdd = D2\nclock = ~D1 ~d1\ndata-out = ~D0\ndata-in = ~ACK\n",
       "f:4: pin ~d1 is used twice (clock, line 4)"},
      {"[x]\nvpp = ~D3\nvdd = D2\nclock = ~D1\ndata-out = ~D0\ndata-in = D5\n",
       "f:6: data-in: D5 is an output (a data pin); inputs are status pins"},
      {"[x]\nvpp = ~D3\nvdd = D2\nclock = ~D1\ndata-out = ACK\ndata-in = BUSY\n",
       "f:5: data-out: ACK is an input (a status pin); outputs are data or control pins"},
      {"[x]\n" + good + "loop-back = D4 INIT\n",
       "f:7: loop-back: INIT is an output (a control pin); inputs are status pins"},
      {"[x]\nvpp = D9\n", "f:2: unknown pin 'D9' (" + std::string(kPinNames) + ")"},
      {"[x]\n" + good + "colour = red\n",
       "f:7: unknown key 'colour' (title, vpp, vdd, clock, data-out, data-in, loop-back, idle, "
       "vpp-first, steps)"},
      {"[x]\n" + good + "[X]\n" + good, "f:7: board 'x' is defined twice (first on line 1)", 1},
      {"[two words]\n", "f:1: 'two words' is not a board name (letters, digits, - and _)"},
      {"vpp = D3\n", "f:1: 'vpp' outside a board: start one with [name]"},
      {"[x]\n" + good + "vpp = D5\n", "f:7: vpp is given twice (first on line 2)"},
      {"[x]\nvpp = ~D3\nvdd = fixed\nclock = ~D1\ndata-out = ~D0\ndata-in = ~ACK\nvpp-first = "
       "yes\n",
       "f:7: vpp-first = yes needs a switched Vdd (this board has vdd = fixed)"},
      {"[x]\nvpp = ~D3\nvdd = fixed\nclock = ~D1\ndata-out = ~D0\ndata-in = ~ACK\nidle = vdd-off\n",
       "f:7: idle: the board does not switch Vdd (vdd = fixed)"},
      {"[x]\n" + good + "idle = clock-low clock-high\n",
       "f:7: idle: clock-high contradicts another state of the same line"},
      {"[x]\n" + good + "steps = byte-wave\n",
       "f:7: unknown step 'byte-wave' (byte-probe, byte-loop-back, byte-reset)"},
      {"[x]\n" + good + "loop-back = D4\n",
       "f:7: loop-back takes two pins: an output, then an input"},
      {"[x]\n" + good + "title =\n", "f:7: title has no value"},
  };
  for (const Case& c : cases) {
    const BoardFile f = Parse_Board_Text(c.text, "f");
    std::vector<std::string> problems;
    for (const BoardProblem& p : f.problems) problems.push_back(p.Text());
    EXPECT_NE(std::find(problems.begin(), problems.end(), c.problem), problems.end())
        << f.Problems_Text();
    EXPECT_EQ(f.boards.size(), c.kept) << "a board with a problem is left out: " << c.text;
  }
  // The good board of a file is kept beside a broken one, and comments and blank lines are
  // nothing.
  const BoardFile mixed =
      Parse_Board_Text("# mine\n[ok]  # the good one\n" + good + "\n[broken]\nvpp = D9\n", "f");
  ASSERT_EQ(mixed.boards.size(), 1u);
  EXPECT_EQ(mixed.boards[0]->name, "ok");
  EXPECT_EQ(mixed.boards[0]->line, 2);
}

class BoardFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder of each test's own: ctest runs the tests of this fixture side by side.
    folder_ = fs::path(::testing::TempDir()) /
              ("board_folder_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  std::string Write(const std::string& name, const std::string& text) {
    const fs::path p = folder_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
  const std::string board_ = "vpp = ~D3\nvdd = D2\nclock = ~D1\ndata-out = ~D0\ndata-in = ~ACK\n";
};

TEST_F(BoardFolderTest, TheUsersBoardsBesideTheBuiltInOnesNamesOnce) {
  Write("a.board", "[Bench]\ntitle = on the bench\n" + board_);
  const std::string b = Write("b.board", "[tait]\n" + board_ + "[bench]\n" + board_);
  Write("c.board", "[broken]\nvpp = ~D3\n");
  Write("notes.txt", "[ignored]\n");
  const BoardLibrary library(folder_.string());
  EXPECT_EQ(library.Names(), "brannock, tessel, tait, p16pro40, bench");
  ASSERT_TRUE(library.Find("BENCH"));
  EXPECT_EQ(library.Find("bench")->title, "on the bench");
  std::vector<std::string> problems;
  for (const BoardProblem& p : library.problems()) problems.push_back(p.Text());
  EXPECT_EQ(problems, (std::vector<std::string>{
                          b + ":1: board 'tait' is already defined (built-in)",
                          b + ":7: board 'bench' is already defined (" +
                              (folder_ / "a.board").string() + ", line 1)",
                          (folder_ / "c.board").string() + ":1: board 'broken' lacks vdd",
                          (folder_ / "c.board").string() + ":1: board 'broken' lacks clock",
                          (folder_ / "c.board").string() + ":1: board 'broken' lacks data-out",
                          (folder_ / "c.board").string() + ":1: board 'broken' lacks data-in",
                      }));
  // No folder: the built-in boards alone.
  EXPECT_EQ(BoardLibrary("").Names(), "brannock, tessel, tait, p16pro40");
  EXPECT_EQ(BoardLibrary((folder_ / "missing").string()).Names(),
            "brannock, tessel, tait, p16pro40");
}

TEST_F(BoardFolderTest, ABoardOptionNamesABoardOrAFileOfOne) {
  const BoardLibrary library(folder_.string());
  std::string error;
  EXPECT_EQ(Choose_Board("tait", library, &error), Builtin_Board("tait"));
  const std::string one = Write("one.board", "[one]\n" + board_);
  const auto chosen = Choose_Board(one, library, &error);
  ASSERT_TRUE(chosen) << error;
  EXPECT_EQ(chosen->origin, one);

  struct Case {
    std::string text;
    std::string error;
  };
  const std::string two = Write("two.board", "[a]\n" + board_ + "[b]\n" + board_);
  const std::string none = Write("none.board", "# nothing yet\n");
  const std::string bad = Write("bad.board", "[bad]\nvpp = D3 D3\n");
  const Case cases[] = {
      {"nope", "unknown board 'nope' (brannock, tessel, tait, p16pro40, or a FILE.board)"},
      {two, two + ": describes 2 boards; give one per file, or put the file in the boards folder "
                  "and name the board"},
      {none, none + ": describes no board ([name], then its lines)"},
      {bad, bad + ":1: board 'bad' lacks vdd\n" + bad + ":1: board 'bad' lacks clock\n" + bad +
                ":1: board 'bad' lacks data-out\n" + bad + ":1: board 'bad' lacks data-in\n" + bad +
                ":2: pin D3 is used twice (vpp, line 2)"},
      {(folder_ / "missing.board").string(),
       (folder_ / "missing.board").string() + ": No such file or directory"},
      {folder_.string() + "/", folder_.string() + "/: not a regular file"},
  };
  for (const Case& c : cases) {
    error.clear();
    EXPECT_FALSE(Choose_Board(c.text, library, &error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
}  // namespace corvane
