// Described boards in the rig: the simulated board wired as described, the value-change dump
// decoding its lines, control register included, and the way out leaving them idle as described.
#include <gtest/gtest.h>

#include <sstream>

#include "boards/board_file.h"
#include "hardware/lines.h"
#include "rig/rig.h"
#include "rig/trace_file.h"

namespace corvane {
namespace {

std::shared_ptr<const BoardDescription> Bench() {
  return Parse_Board_Text(
             "[bench]\nvpp = STROBE\nvdd = ~D2 D6\nclock = ~D1\ndata-out = ~D0\n"
             "data-in = BUSY\nidle = vdd-off clock-high\n",
             "bench.board")
      .boards.at(0);
}

TEST(RigBoardsTest, TheDumpDecodesTheDescribedLinesInBothRegisters) {
  std::ostringstream out;
  const auto bench = Bench();
  VcdTraceWriter w(out, {[] { return std::uint16_t{0x378}; }, [] { return kOtherBoard; },
                         [&bench] { return bench.get(); }});
  const std::size_t header = out.str().size();
  // STROBE is inverted by the port: Vpp is off while control bit 0 is set. Vdd needs D2 clear and
  // D6 set; the clock and data are low while D1 and D0 are set.
  w.record({10, true, 0x37A, 0x01});
  w.record({20, true, 0x378, 0x43});
  EXPECT_EQ(out.str().substr(header), "#10\n0!\n0\"\n1#\n1$\n#20\n1!\n0#\n0$\n");
  w.record({30, true, 0x37A, 0x00});
  EXPECT_NE(out.str().find("#30\n1\"\n"), std::string::npos);
  w.record({40, false, 0x379, 0x00});  // BUSY bit clear: the pin is high, data in reads 1
  EXPECT_NE(out.str().find("#40\n1%\n"), std::string::npos);
}

TEST(RigBoardsTest, TheWayOutLeavesTheLinesIdleAsTheBoardSays) {
  BoardSpec spec;
  spec.simulated = true;
  spec.sim.description = Bench();
  spec.sim.board = kOtherBoard;
  WorkingState st;
  st.BoardChoice = spec.sim.description;
  std::ostringstream diag;
  std::string error;
  auto rig = Rig::Make(spec, "", st, diag, &error);
  ASSERT_TRUE(rig) << error;
  Lines lines(rig->port(), rig->clock(), st);
  st.Board = st.BoardChoice;
  lines.Probe_Port(kLpt1);
  ASSERT_EQ(st.PortBase, kLpt1);
  lines.Vdd_On();
  lines.Vpp_On();
  ASSERT_TRUE(rig->board()->socket_pins().vpp);
  ASSERT_TRUE(rig->Finish(st, &error)) << error;
  // Vpp off (STROBE's bit set), Vdd off (D2 set, D6 clear), clock high (D1 clear); the data line
  // as it was (driven low, D0 set).
  EXPECT_EQ(rig->board()->control_register() & 0x01, 0x01);
  EXPECT_EQ(rig->board()->data_register(), 0x05);
  const sim::Pins p = rig->board()->socket_pins();
  EXPECT_FALSE(p.vpp);
  EXPECT_FALSE(p.vdd);
  EXPECT_TRUE(p.clock);
}

}  // namespace
}  // namespace corvane
