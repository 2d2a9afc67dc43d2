#include "hardware/trace.h"

#include <gtest/gtest.h>

#include <map>

namespace corvane {
namespace {

// A port whose registers hold what was last written; reads of unwritten addresses give 0xFF.
class RegisterPort : public PortIo {
 public:
  std::uint8_t read(std::uint16_t address) override {
    ++reads;
    const auto it = regs.find(address);
    return it == regs.end() ? 0xFF : it->second;
  }
  void write(std::uint16_t address, std::uint8_t value) override { regs[address] = value; }
  std::map<std::uint16_t, std::uint8_t> regs;
  int reads = 0;
};

TEST(TraceTest, RecordsEveryAccessInOrderWithItsTimeAndValue) {
  VirtualClock clock;
  RegisterPort inner;
  TraceRecorder recorder;
  TracingPort port(inner, clock, recorder);

  clock.advance(1'500);
  port.write(0x378, 0x2A);
  clock.advance(300);
  EXPECT_EQ(port.read(0x378), 0x2A);
  EXPECT_EQ(port.read(0x379), 0xFF);
  port.write(0x278, 0x00);

  EXPECT_EQ(inner.regs.at(0x378), 0x2A) << "writes reach the port behind";
  EXPECT_EQ(inner.reads, 2);
  ASSERT_EQ(recorder.accesses.size(), 4u);
  const PortAccess& w = recorder.accesses[0];
  EXPECT_TRUE(w.write);
  EXPECT_EQ(w.t_ns, 1'500);
  EXPECT_EQ(w.address, 0x378);
  EXPECT_EQ(w.value, 0x2A);
  const PortAccess& r = recorder.accesses[2];
  EXPECT_FALSE(r.write);
  EXPECT_EQ(r.t_ns, 1'800);
  EXPECT_EQ(r.address, 0x379);
  EXPECT_EQ(r.value, 0xFF) << "a read is recorded with the value it returned";
  EXPECT_EQ(recorder.accesses[3].address, 0x278);
}

// A sink may be any recorder: the decorator only hands accesses on.
TEST(TraceTest, SinkSeesEachAccessOnce) {
  struct Counter : TraceSink {
    void record(const PortAccess& a) override { (a.write ? writes : reads)++; }
    int reads = 0, writes = 0;
  };
  VirtualClock clock;
  RegisterPort inner;
  Counter counter;
  TracingPort port(inner, clock, counter);
  for (int i = 0; i < 5; ++i) port.write(0x378, static_cast<std::uint8_t>(i));
  for (int i = 0; i < 3; ++i) port.read(0x379);
  EXPECT_EQ(counter.writes, 5);
  EXPECT_EQ(counter.reads, 3);
}

}  // namespace
}  // namespace corvane
