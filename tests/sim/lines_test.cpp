// The host's line operations against both simulated boards: the exact bytes they leave in the
// data register, what the status register shows, and how discovery sees boards and faults.
#include <gtest/gtest.h>

#include "hardware/trace.h"
#include "sim/timing.h"
#include "sim_bench.h"

namespace corvane::sim {
namespace {

// The host's lines wired through a trace, so each operation's writes can be listed.
struct TracedBench {
  explicit TracedBench(BoardKind kind) : board(kind, clock, kLpt1), lines(port, clock, st) {
    st.PortBase = kLpt1;
    st.BoardVariant = kind;
  }
  // Data-register bytes written since the last call.
  std::vector<int> writes() {
    std::vector<int> out;
    for (std::size_t i = seen; i < trace.accesses.size(); ++i) {
      if (trace.accesses[i].write) out.push_back(trace.accesses[i].value);
    }
    seen = trace.accesses.size();
    return out;
  }

  VirtualClock clock;
  Board board;
  TraceRecorder trace;
  TracingPort port{board, clock, trace};
  WorkingState st;
  Lines lines;
  std::size_t seen = 0;
};

using Bytes = std::vector<int>;

TEST(BoardLinesTest, BrannockLineOperationsWriteTheExactBytes) {
  TracedBench b(kBrannock);
  b.lines.Write_Data_Register(0xC0);  // D6, D7 must survive every read-modify-write
  b.writes();
  b.lines.Vdd_On();
  EXPECT_EQ(b.writes(), Bytes({0xC4}));
  b.lines.Vpp_Off();
  EXPECT_EQ(b.writes(), Bytes({0xCC}));
  b.lines.Vpp_On();
  EXPECT_EQ(b.writes(), Bytes({0xCF, 0xC7}));  // data and clock low, then Vpp
  b.lines.Set_Data_Line(1);
  EXPECT_EQ(b.writes(), Bytes({0xC6}));
  b.lines.Clock_Pulse();
  EXPECT_EQ(b.writes(), Bytes({0xC4, 0xC6}));  // clock high, clock low
  b.lines.Set_Data_Line(0);
  EXPECT_EQ(b.writes(), Bytes({0xC7}));
  b.lines.Vdd_Off();
  EXPECT_EQ(b.writes(), Bytes({0xC3}));
  b.lines.Reset_Pulse();
  EXPECT_EQ(b.writes(), Bytes({0x22, 0x00}));
  EXPECT_EQ(b.board.data_register(), 0x00);
  // Every single-line change on this board is a read-modify-write: one read before each write.
  int reads = 0;
  for (const PortAccess& a : b.trace.accesses) reads += a.write ? 0 : 1;
  EXPECT_EQ(reads, 9);
}

TEST(BoardLinesTest, TesselLineOperationsWriteWholeBytes) {
  TracedBench b(kTessel);
  b.lines.Vdd_On();
  b.lines.Vdd_Off();
  EXPECT_TRUE(b.trace.accesses.empty());
  EXPECT_EQ(b.clock.now_ns(), 0);  // no wait either
  b.lines.Vpp_On();
  EXPECT_EQ(b.writes(), Bytes({0x22, 0x00, 0x0B}));
  EXPECT_EQ(b.board.data_register(), 0x0B);
  EXPECT_EQ(b.clock.now_ns(), (100 + 250) * 2 * 100'000);
  b.lines.Clock_Pulse();
  EXPECT_EQ(b.writes(), Bytes({0x09, 0x0B}));
  b.lines.Vpp_Off();
  EXPECT_EQ(b.writes(), Bytes({0x22, 0x00}));
  EXPECT_EQ(b.board.data_register(), 0x00);
}

TEST(BoardLinesTest, StatusRegisterShowsTheDataLineAndLoopBack) {
  VirtualClock clock;
  Board brannock(kBrannock, clock, kLpt1);
  Board tessel(kTessel, clock, kLpt1);
  for (Board* b : {&brannock, &tessel}) {
    b->write(kLpt1, 0x11);  // data driven low, D4 set
    const std::uint8_t low = b->read(kLpt1 + 1);
    EXPECT_EQ(low & 0x40, 0x40);
    EXPECT_EQ(low & 0x3F, 0);  // bits 0-5 read 0
    b->write(kLpt1, 0x10);
    EXPECT_EQ(b->read(kLpt1 + 1) & 0x40, 0);
    EXPECT_EQ(b->read(kLpt1), 0x10);  // the data register reads back
    // Any other address is an empty port: reads 0xFF, writes go nowhere.
    EXPECT_EQ(b->read(kLpt1 + 2), 0xFF);
    EXPECT_EQ(b->read(kLpt2 + 1), 0xFF);
    b->write(kLpt2, 0x00);
    b->write(kLpt1 + 1, 0x00);
    EXPECT_EQ(b->data_register(), 0x10);
  }
  EXPECT_EQ(brannock.read(kLpt1 + 1) & 0x80, 0);
  EXPECT_EQ(tessel.read(kLpt1 + 1) & 0x80, 0x80);
  tessel.write(kLpt1, 0x00);
  EXPECT_EQ(tessel.read(kLpt1 + 1) & 0x80, 0);
}

TEST(BoardLinesTest, DiscoveryFindsBothBoardsWithOrWithoutAChip) {
  for (BoardKind kind : {kBrannock, kTessel}) {
    for (bool with_chip : {true, false}) {
      SimBench b(kind, with_chip ? std::optional(ChipKind::Pic16F877) : std::nullopt);
      b.lines.Probe_Port(kLpt2);
      EXPECT_EQ(b.st.PortBase, 0) << "nothing answers on LPT2";
      b.lines.Probe_Port(kLpt1);
      EXPECT_EQ(b.st.PortBase, kLpt1);
      EXPECT_EQ(b.board.data_register(), 0x2A);
      b.lines.Detect_Board();
      EXPECT_EQ(b.st.BoardVariant, kind);
      EXPECT_EQ(b.board.data_register(), kind == kTessel ? 0x00 : 0x10);
      if (b.chip) {
        EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
      }
    }
  }
}

TEST(BoardLinesTest, BoardOnLpt2IsFoundThere) {
  VirtualClock clock;
  Board board(kTessel, clock, kLpt2);
  WorkingState st;
  Lines lines(board, clock, st);
  lines.Probe_Port(kLpt2);
  EXPECT_EQ(st.PortBase, kLpt2);
  lines.Detect_Board();
  EXPECT_EQ(st.BoardVariant, kTessel);
}

TEST(BoardLinesTest, StuckDataLineHidesTheBoard) {
  for (int level : {0, 1}) {
    for (BoardKind kind : {kBrannock, kTessel}) {
      SimBench b(kind);
      b.board.set_stuck_data(level);
      b.board.write(kLpt1, 0x5A);
      b.lines.Probe_Port(kLpt1);
      EXPECT_EQ(b.st.PortBase, 0);
      EXPECT_EQ(b.board.data_register(), 0x5A) << "the kept byte is written back";
      EXPECT_EQ(b.board.data_line_high(), level == 1);
    }
  }
  SimBench b(kBrannock);
  b.board.set_stuck_data(0);
  b.board.set_stuck_data(std::nullopt);  // the fault cleared: the board answers again
  b.lines.Probe_Port(kLpt1);
  EXPECT_EQ(b.st.PortBase, kLpt1);
}

TEST(BoardLinesTest, BrannockChipIsPoweredOnlyWhileD2IsSet) {
  SimBench b(kBrannock, ChipKind::Pic16F84A);
  b.chip->set_program(0, 0x0123);
  b.connect();
  b.lines.Vdd_Off();
  b.lines.Vpp_On();
  EXPECT_FALSE(b.chip->in_programming_mode());
  b.lines.Vpp_Off();
  b.lines.Vdd_On();
  b.lines.Vpp_On();
  EXPECT_TRUE(b.chip->in_programming_mode());
  b.lines.Vdd_Off();  // losing power resets the chip, and is no way to leave programming mode
  EXPECT_FALSE(b.chip->in_programming_mode());
  b.lines.Vpp_Off();
  ASSERT_EQ(b.chip->violations().size(), 1u) << Violations(*b.chip);
  EXPECT_NE(Violations(*b.chip).find("Vdd removed while MCLR was at Vpp"), std::string::npos);
}

TEST(BoardLinesTest, TesselVppReachesMclrTenMicrosecondsAfterTheWrite) {
  EXPECT_EQ(kTesselVppRiseNs, 10'000);
  VirtualClock clock;
  Board board(kTessel, clock, kLpt1);
  Chip chip(ChipKind::Pic16F877);
  board.insert(&chip);
  board.write(kLpt1, 0x22);  // reset, clock low
  clock.advance(1'000'000);
  board.write(kLpt1, 0x0B);
  clock.advance(kTesselVppRiseNs - 1);
  board.read(kLpt1 + 1);
  EXPECT_FALSE(chip.in_programming_mode());
  clock.advance(1);
  board.read(kLpt1 + 1);
  EXPECT_TRUE(chip.in_programming_mode());
  EXPECT_TRUE(chip.violations().empty()) << Violations(chip);
  // D5 (reset) holds MCLR low even with D3 set.
  board.write(kLpt1, 0x2B);
  EXPECT_FALSE(chip.in_programming_mode());
}

TEST(BoardLinesTest, EmptySocketLeavesOnlyTheHostOnTheLine) {
  SimBench b(kTessel, std::nullopt);
  b.connect();
  b.lines.Vpp_On();
  b.lines.Set_Data_Line(1);
  EXPECT_EQ(b.lines.Read_Data_Line(), 1);
  b.lines.Set_Data_Line(0);
  EXPECT_EQ(b.lines.Read_Data_Line(), 0);
  EXPECT_EQ(b.board.chip(), nullptr);
}

TEST(BoardLinesTest, RemovedChipLosesPower) {
  SimBench b(kTessel, ChipKind::Pic16F84A);
  b.connect();
  b.lines.Vpp_On();
  b.board.settle();  // Vpp reached MCLR during the wait, with no port access since
  ASSERT_TRUE(b.chip->in_programming_mode());
  b.board.insert(nullptr);
  EXPECT_FALSE(b.chip->in_programming_mode());
  EXPECT_TRUE(b.lines.Read_Data_Line() == 0);  // 0x0B drives the line low; no chip to answer
}

}  // namespace
}  // namespace corvane::sim
