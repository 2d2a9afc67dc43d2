// A request to stop reaches a running operation at its next port access or during its wait.
#include <gtest/gtest.h>

#include "hardware/delay.h"
#include "hardware/interruption.h"
#include "hardware/trace.h"
#include "platform/interrupt.h"
#include "state/working_state.h"

namespace corvane {
namespace {

// Pending from the given poll on.
class AfterPolls final : public InterruptSource {
 public:
  explicit AfterPolls(int polls, int signal_number = 2) : left_(polls), signal_(signal_number) {}
  int Pending() override { return left_-- > 0 ? 0 : signal_; }

 private:
  int left_;
  int signal_;
};

class CountingPort final : public PortIo {
 public:
  std::uint8_t read(std::uint16_t) override {
    ++accesses;
    return 0x12;
  }
  void write(std::uint16_t, std::uint8_t) override { ++accesses; }
  int accesses = 0;
};

TEST(InterruptionTest, NoAccessReachesThePortOnceAStopIsPending) {
  CountingPort inner;
  AfterPolls source(2, 15);
  InterruptiblePort port(inner, source);
  EXPECT_EQ(port.read(0x379), 0x12);
  port.write(0x378, 0x08);
  try {
    port.write(0x378, 0x00);
    FAIL() << "the write went through";
  } catch (const Interrupted& stop) {
    EXPECT_EQ(stop.signal_number, 15);
  }
  EXPECT_THROW(port.read(0x379), Interrupted);
  EXPECT_EQ(inner.accesses, 2);
}

TEST(InterruptionTest, ALongWaitEndsWithinASlice) {
  VirtualClock inner;
  // A 4.5 s wait (1500 units at low speed); the request is there from the fifth check, made
  // after the fourth slice.
  AfterPolls source(4);
  InterruptibleClock clock(inner, source);
  EXPECT_THROW(clock.wait_for(4'500'000'000), Interrupted);
  EXPECT_EQ(inner.now_ns(), 4 * InterruptibleClock::kSliceNs);

  // Without a request the wait lasts exactly its length, short or long.
  AfterPolls never(1 << 30);
  InterruptibleClock quiet(inner, never);
  const std::int64_t start = inner.now_ns();
  quiet.wait_for(4'500'000'000);
  EXPECT_EQ(inner.now_ns(), start + 4'500'000'000);
  quiet.wait_for(1'000);
  EXPECT_EQ(inner.now_ns(), start + 4'500'001'000);
}

TEST(InterruptionTest, TheCalibrationLoopStopsToo) {
  VirtualClock inner;
  AfterPolls source(100);
  InterruptibleClock clock(inner, source);
  WorkingState st;
  EXPECT_THROW(Calibrate_Delay(st, clock), Interrupted);
  EXPECT_LT(inner.now_ns(), 1'000'000'000);
}

TEST(InterruptionTest, TheProcessFlagKeepsTheFirstRequest) {
  platform::Clear_Interrupt();
  SignalInterrupts signals;
  EXPECT_EQ(signals.Pending(), 0);
  platform::Request_Interrupt(platform::kSigTerm);
  platform::Request_Interrupt(platform::kSigInt);
  EXPECT_EQ(signals.Pending(), platform::kSigTerm);
  platform::Clear_Interrupt();
  EXPECT_EQ(signals.Pending(), 0);
}

}  // namespace
}  // namespace corvane
