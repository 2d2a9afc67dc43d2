// The discovery probes against a scripted port: every outcome of Probe_Port and Detect_Board.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "hardware/lines.h"

namespace corvane {
namespace {

// Status reads answer from a script; writes are recorded.
class ScriptedPort : public PortIo {
 public:
  std::deque<std::uint8_t> status;
  std::uint8_t data = 0x5A;
  std::vector<std::uint8_t> writes;
  std::uint8_t read(std::uint16_t address) override {
    if ((address & 1) == 0) return data;
    const std::uint8_t v = status.front();
    status.pop_front();
    return v;
  }
  void write(std::uint16_t, std::uint8_t value) override {
    data = value;
    writes.push_back(value);
  }
};

struct ProbeBench {
  VirtualClock clock;
  WorkingState st;
  ScriptedPort port;
  Lines lines{port, clock, st};
};

TEST(ProbeTest, BoardAnswersWhenTheDataLineLoopsBack) {
  ProbeBench b;
  b.port.status = {0x40, 0x00};  // low while driven low, high while released
  b.lines.Probe_Port(kLpt1);
  EXPECT_EQ(b.st.PortBase, 0x378);
  EXPECT_EQ(b.port.writes, std::vector<std::uint8_t>({0x29, 0x2A}));
  EXPECT_EQ(b.clock.now_ns(), 2 * 15 * 2 * 100'000);  // 15 units after each test byte
}

TEST(ProbeTest, NoLoopBackPutsTheKeptByteBack) {
  ProbeBench first_read_clear;
  first_read_clear.port.status = {0x00};
  first_read_clear.lines.Probe_Port(kLpt2);
  EXPECT_EQ(first_read_clear.st.PortBase, 0);
  EXPECT_EQ(first_read_clear.port.writes, std::vector<std::uint8_t>({0x29, 0x5A}));

  ProbeBench second_read_set;
  second_read_set.port.status = {0x40, 0x40};
  second_read_set.st.PortBase = 0x278;  // an earlier result stays
  second_read_set.lines.Probe_Port(kLpt1);
  EXPECT_EQ(second_read_set.st.PortBase, 0x278);
  EXPECT_EQ(second_read_set.port.writes, std::vector<std::uint8_t>({0x29, 0x2A, 0x5A}));
}

TEST(ProbeTest, DetectBoardNeedsTheLoopBackToFollowD4) {
  struct Case {
    std::deque<std::uint8_t> status;
    std::vector<std::uint8_t> writes;
    std::int16_t variant;
  };
  const Case cases[] = {
      {{0x80, 0x00}, {0x10, 0x00}, kTessel},    // follows D4
      {{0x00}, {0x10}, kBrannock},              // no loop-back: 0x00 is not written
      {{0x80, 0x80}, {0x10, 0x00}, kBrannock},  // stuck high: not the Tessel board
  };
  for (const Case& c : cases) {
    ProbeBench b;
    b.st.PortBase = kLpt1;
    b.port.status = c.status;
    b.lines.Detect_Board();
    EXPECT_EQ(b.st.BoardVariant, c.variant);
    EXPECT_EQ(b.port.writes, c.writes);
  }
}

TEST(ProbeTest, NothingReachesThePortWithoutABoard) {
  ProbeBench b;  // PortBase 0
  b.lines.Vpp_On();
  b.lines.Clock_Pulse();
  EXPECT_EQ(b.lines.Read_Data_Line(), 0);  // the refused read is an empty bus
  EXPECT_TRUE(b.port.writes.empty());
  EXPECT_GT(b.lines.refused_accesses(), 0);
}

}  // namespace
}  // namespace corvane
