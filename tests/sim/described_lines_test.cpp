// The host's lines on a described board: one read-modify-write per register a change touches, the
// control register reached only as the description says, lines driven together, and a probe that
// finds nothing putting both registers back.
#include <gtest/gtest.h>

#include "boards/board_file.h"
#include "hardware/lines.h"
#include "hardware/trace.h"
#include "sim/board.h"

namespace corvane::sim {
namespace {

struct Access {
  char kind;
  int address;
  int value;
  bool operator==(const Access&) const = default;
};
using Accesses = std::vector<Access>;

struct DescribedBench {
  explicit DescribedBench(const std::string& lines)
      : described(Parse_Board_Text("[d]\n" + lines, "d").boards.at(0)),
        board(described, clock, kLpt1),
        port(board, clock, trace),
        lines(port, clock, st) {
    st.Board = described;
    st.PortBase = kLpt1;
  }
  // The accesses since the last call.
  Accesses Since() {
    Accesses out;
    for (std::size_t i = seen; i < trace.accesses.size(); ++i) {
      const PortAccess& a = trace.accesses[i];
      out.push_back({a.write ? 'W' : 'R', a.address, a.write ? a.value : -1});
    }
    seen = trace.accesses.size();
    return out;
  }

  std::shared_ptr<const BoardDescription> described;
  VirtualClock clock;
  Board board;
  TraceRecorder trace;
  TracingPort port;
  WorkingState st;
  Lines lines;
  std::size_t seen = 0;
};

TEST(DescribedLinesTest, EachChangeIsOneReadModifyWritePerRegisterItTouches) {
  DescribedBench b("vpp = STROBE D5\nvdd = ~D2 D6\nclock = D1\ndata-out = D0\ndata-in = ACK\n");
  b.lines.Vdd_On();  // both Vdd pins in one write: D2 clear, D6 set
  EXPECT_EQ(b.Since(), (Accesses{{'R', 0x378, -1}, {'W', 0x378, 0x40}}));
  b.lines.Vpp_On();  // data and clock low together, then Vpp in both registers
  EXPECT_EQ(b.Since(), (Accesses{{'R', 0x378, -1},
                                 {'W', 0x378, 0x40},
                                 {'R', 0x378, -1},
                                 {'W', 0x378, 0x60},
                                 {'R', 0x37A, -1},
                                 {'W', 0x37A, 0x00}}));
  EXPECT_TRUE(b.board.socket_pins().vpp);
  b.lines.Clock_Pulse();
  EXPECT_EQ(b.Since(),
            (Accesses{{'R', 0x378, -1}, {'W', 0x378, 0x62}, {'R', 0x378, -1}, {'W', 0x378, 0x60}}));
  EXPECT_EQ(b.lines.Read_Data_Line(), 0);  // data out low: the line reads 0 through ACK
  b.lines.Reset_Pulse();                   // no reset line on this board: nothing
  b.lines.Vpp_Off();
  EXPECT_EQ(b.Since(), (Accesses{{'R', 0x379, -1},
                                 {'R', 0x378, -1},
                                 {'W', 0x378, 0x40},
                                 {'R', 0x37A, -1},
                                 {'W', 0x37A, 0x01}}));
  EXPECT_FALSE(b.board.socket_pins().vpp);
  EXPECT_EQ(b.lines.refused_accesses(), 0);
  // The guard lets exactly the data, status and control registers of the two ports through.
  std::vector<int> allowed;
  for (std::uint32_t a = 0; a <= 0xFFFF; ++a) {
    if (Port_Address_Allowed(a)) allowed.push_back(static_cast<int>(a));
  }
  EXPECT_EQ(allowed, (std::vector<int>{0x278, 0x279, 0x27A, 0x378, 0x379, 0x37A}));
}

TEST(DescribedLinesTest, AProbeThatFindsNothingPutsBothRegistersBack) {
  DescribedBench b("vpp = ~STROBE\nvdd = fixed\nclock = D1\ndata-out = D0\ndata-in = ACK\n");
  b.st.PortBase = 0;
  b.lines.Probe_Port(kLpt2);  // nothing there: every read is an empty bus
  EXPECT_EQ(b.st.PortBase, 0);
  const Accesses probe = b.Since();
  ASSERT_GE(probe.size(), 4u);
  EXPECT_EQ(probe.front(), (Access{'R', 0x278, -1}));
  EXPECT_EQ(probe[1], (Access{'R', 0x27A, -1}));
  EXPECT_EQ(probe[probe.size() - 2], (Access{'W', 0x278, 0xFF}));
  EXPECT_EQ(probe.back(), (Access{'W', 0x27A, 0xFF}));
  b.lines.Probe_Port(kLpt1);
  EXPECT_EQ(b.st.PortBase, kLpt1);
  // The probe leaves the data line released, the clock low and Vpp off.
  EXPECT_EQ(b.board.control_register() & 0x01, 0x00);
  EXPECT_EQ(b.board.data_register() & 0x03, 0x01);
}

}  // namespace
}  // namespace corvane::sim
