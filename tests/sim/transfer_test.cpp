// Commands and data words from the host's transfer procedures, as the simulated chip and the
// board's decoder take them off the lines.
#include <gtest/gtest.h>

#include "hardware/trace.h"
#include "protocol/transfer.h"
#include "sim_bench.h"

namespace corvane::sim {
namespace {

// Data-line levels (1 = high) at each falling clock edge, read from a trace of register writes.
std::vector<int> Bits_At_Falling_Edges(const std::vector<PortAccess>& accesses) {
  std::vector<int> bits;
  int last = -1;
  for (const PortAccess& a : accesses) {
    if (!a.write) continue;
    if (last >= 0 && !(last & 0x02) && (a.value & 0x02)) bits.push_back(a.value & 0x01 ? 0 : 1);
    last = a.value;
  }
  return bits;
}

struct TracedHost {
  explicit TracedHost(BoardKind kind, std::optional<ChipKind> chip_kind = ChipKind::Pic16F84A)
      : bench(kind, chip_kind), lines(port, bench.clock, bench.st) {
    bench.connect();
    lines.Vpp_On();
    trace.accesses.clear();
  }
  SimBench bench;
  TraceRecorder trace;
  TracingPort port{bench.board, bench.clock, trace};
  Lines lines;
};

TEST(TransferTest, CommandBitsGoOutLeastSignificantFirst) {
  for (BoardKind kind : {kBrannock, kTessel}) {
    TracedHost h(kind);
    Send_Command(h.lines, 6);
    EXPECT_EQ(Bits_At_Falling_Edges(h.trace.accesses), std::vector<int>({0, 1, 1, 0, 0, 0}));
    EXPECT_EQ(h.bench.board.data_register() & 0x01, 0) << "data line released afterwards";
    EXPECT_EQ(Words(h.bench.board.events()), "E C6");
    EXPECT_EQ(h.bench.chip->address_counter(), 1);
  }
}

TEST(TransferTest, DataWordIsFramedBetweenStartAndStopBits) {
  TracedHost h(kTessel);
  Send_Command(h.lines, 2);
  h.trace.accesses.clear();
  Send_Data(h.lines, 0x3FFF);
  std::vector<int> expected(16, 1);
  expected.front() = 0;
  expected.back() = 0;
  EXPECT_EQ(Bits_At_Falling_Edges(h.trace.accesses), expected);
  EXPECT_EQ(h.bench.board.data_register() & 0x01, 0x01) << "left driven low";

  Send_Command(h.lines, 2);
  Send_Data(h.lines, 0x7FFF & ~0x0001);  // only the low 14 bits travel
  Send_Command(h.lines, 2);
  Send_Data(h.lines, 0x2AC5);
  EXPECT_EQ(Words(h.bench.board.events()), "E C2 I3FFF C2 I3FFE C2 I2AC5");
  EXPECT_TRUE(h.bench.chip->violations().empty()) << Violations(*h.bench.chip);
}

TEST(TransferTest, ReadDataReturnsTheChipsWordOrTheIdleLine) {
  for (BoardKind kind : {kBrannock, kTessel}) {
    SimBench b(kind, ChipKind::Pic16F877);
    b.chip->set_program(0, 0x2A55);
    b.chip->set_program(1, 0x1001);
    b.connect();
    b.lines.Vpp_On();
    std::int32_t w = -1;
    Send_Command(b.lines, 4);
    Read_Data(b.lines, w);
    EXPECT_EQ(w, 0x2A55);
    Send_Command(b.lines, 6);
    Send_Command(b.lines, 4);
    Read_Data(b.lines, w);
    EXPECT_EQ(w, 0x1001);
    b.lines.Vpp_Off();
    EXPECT_EQ(Words(b.board.events()), "E C4 O2A55 C6 C4 O1001 L");
    EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
  }
  // No chip: the released line reads all ones; a line stuck low reads all zeros.
  SimBench empty(kTessel, std::nullopt);
  empty.connect();
  empty.lines.Vpp_On();
  std::int32_t w = -1;
  Send_Command(empty.lines, 4);
  Read_Data(empty.lines, w);
  EXPECT_EQ(w, 0x3FFF);
  empty.board.set_stuck_data(0);
  Read_Data(empty.lines, w);
  EXPECT_EQ(w, 0);
}

// The host's EEPROM sequences send command 3 with no data word, then command 5 and a read: the
// load swallows command 5 and ten clocks of the read as its data phase, the last six clocks of the
// read make an undefined command (all ones, ignored), and the chip is back in step for the loop.
TEST(TransferTest, LoadWithoutDataSwallowsTheNextSixteenClocksAndResynchronises) {
  SimBench b(kBrannock, ChipKind::Pic16F84A);
  b.chip->set_eeprom(0, 0x05);
  b.chip->set_eeprom(1, 0xAB);
  b.chip->set_eeprom(2, 0x7E);
  b.connect();
  b.lines.Vpp_On();
  Wait_Units(b.lines, 100);
  Send_Command(b.lines, 3);
  Wait_Units(b.lines, 10);
  std::int32_t first = -1;
  Send_Command(b.lines, 5);
  Read_Data(b.lines, first);
  EXPECT_EQ(first, 0x3FFF) << "nobody drives the line during a load";
  std::vector<int> bytes;
  for (int i = 0; i < 3; ++i) {
    std::int32_t w = -1;
    Send_Command(b.lines, 5);
    Read_Data(b.lines, w);
    bytes.push_back(w);
    Send_Command(b.lines, 6);
    Wait_Units(b.lines, 100);
  }
  b.lines.Vpp_Off();
  EXPECT_EQ(bytes, std::vector<int>({0x05, 0xAB, 0x7E}));
  // Data phase of the lone 3: start = bit 0 of command 5 (1), data bits 0..4 = its bits 1..5
  // (0, 1, 0, 0, 0), bits 5..13 = released read clocks (1); then six released clocks: 63.
  EXPECT_EQ(Words(b.board.events()), "E C3 I3FE2 C63 C5 O5 C6 C5 OAB C6 C5 O7E C6 L");
  EXPECT_EQ(b.chip->eeprom(0), 0x05) << "no Begin Programming followed: nothing written";
  EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
}

}  // namespace
}  // namespace corvane::sim
