#include "hardware/delay.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DelayTest, IterationsFollowTheCalibratedCount) {
  EXPECT_EQ(Delay_Iterations(0, 10000), 0);
  EXPECT_EQ(Delay_Iterations(7, 10000), 7);
  EXPECT_EQ(Delay_Iterations(1, 15000), 2);  // 1.5 rounds up
  EXPECT_EQ(Delay_Iterations(3, 1), 1);      // a tiny count still waits one iteration
  EXPECT_EQ(Delay_Iterations(1500 * 30, 2'000'000'000), 9'000'000'000LL);  // no overflow
}

TEST(DelayTest, CalibrationCountsOneSecondOfTheClock) {
  WorkingState st;
  VirtualClock clock;  // one spin = 100 us
  Calibrate_Delay(st, clock);
  EXPECT_EQ(st.LoopsPerSecond, 10000);
  EXPECT_EQ(clock.now_ns(), 1'000'000'000);
}

TEST(DelayTest, CountingLoopRunsTheComputedIterations) {
  VirtualClock clock(1);
  Counting_Delay(clock, 3, 15000);  // ceil(4.5) = 5 iterations
  EXPECT_EQ(clock.now_ns(), 5);
  Counting_Delay(clock, 0, 15000);
  EXPECT_EQ(clock.now_ns(), 5);
}

TEST(DelayTest, DelayWaitsItsNominalLength) {
  VirtualClock clock;
  Delay(clock, 0);
  EXPECT_EQ(clock.now_ns(), 0);
  Delay(clock, 1500 * 2);
  EXPECT_EQ(clock.now_ns(), 300'000'000);  // 1500 units at normal speed: 0.3 s
}

TEST(DelayTest, RealClockWaitIsNeverShort) {
  RealClock clock;
  const auto start = clock.now_ns();
  Delay(clock, 2);
  EXPECT_GE(clock.now_ns() - start, 200'000);
}

TEST(DelayTest, SleepStretchFollowsHowLateSleepsWake) {
  SleepStretch s;
  EXPECT_EQ(s.stretch_ns(), 1'000'000) << "about a millisecond before anything is known";
  for (int i = 0; i < 3000; ++i) s.Learn(10'000);
  EXPECT_EQ(s.stretch_ns(), SleepStretch::kMinNs) << "prompt wake-ups: the shortest stretch";
  s.Learn(300'000);  // one late wake-up raises it at once, with half again as margin
  EXPECT_EQ(s.stretch_ns(), 300'000 + 150'000 + SleepStretch::kMarginNs);
  s.Learn(10'000);
  EXPECT_LT(s.stretch_ns(), 470'000);
  EXPECT_GT(s.stretch_ns(), 460'000) << "and it comes down slowly";
  s.Learn(-5);          // a clock read before the deadline counts as on time
  s.Learn(50'000'000);  // a machine that preempts for 50 ms: spinning that long helps nobody
  EXPECT_EQ(s.stretch_ns(), SleepStretch::kMaxNs);
}

TEST(DelayTest, SpeedBoxSetsTheUnit) {
  EXPECT_EQ(Delay_Unit_For(0), 2);
  EXPECT_EQ(Delay_Unit_For(1), 30);
  EXPECT_EQ(Delay_Unit_For(2), 30);
}

}  // namespace
}  // namespace corvane
