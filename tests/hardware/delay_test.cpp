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

TEST(DelayTest, SleepStretchSettlesOnTheThreeQuarterLatenessOfTheMachine) {
  SleepStretch s;
  EXPECT_EQ(s.stretch_ns(), 1'000'000) << "about a millisecond before anything is known";
  // Wake-ups 20, 40, 60 and 80 us late in turn: three in four are at or under 60 us.
  for (int i = 0; i < 4000; ++i) s.Learn(20'000 * (1 + i % 4));
  EXPECT_GT(s.lateness_ns(), 55'000);
  EXPECT_LT(s.lateness_ns(), 82'000);
  EXPECT_EQ(s.stretch_ns(), s.lateness_ns() + SleepStretch::kMarginNs);

  const std::int64_t settled = s.stretch_ns();
  SleepStretch measured;
  measured.Start_From(40'000);
  EXPECT_EQ(measured.stretch_ns(), 40'000 + SleepStretch::kMarginNs) << "a first measure";
  s.Learn(50'000'000);  // one 50 ms preemption
  EXPECT_LT(s.stretch_ns(), settled * 11 / 10) << "moves it no more than any late wake-up";

  for (int i = 0; i < 4000; ++i) s.Learn(-5);  // prompt wake-ups: the shortest stretch
  EXPECT_EQ(s.stretch_ns(), SleepStretch::kMinNs);
  for (int i = 0; i < 4000; ++i) s.Learn(50'000'000);  // a machine that always wakes 50 ms late
  EXPECT_EQ(s.stretch_ns(), SleepStretch::kMaxNs) << "spinning longer would help nobody";
}

TEST(DelayTest, SpeedBoxSetsTheUnit) {
  EXPECT_EQ(Delay_Unit_For(0), 2);
  EXPECT_EQ(Delay_Unit_For(1), 30);
  EXPECT_EQ(Delay_Unit_For(2), 30);
}

}  // namespace
}  // namespace corvane
