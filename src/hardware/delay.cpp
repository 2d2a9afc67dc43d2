#include "hardware/delay.h"

#include <limits>

namespace corvane {

void Calibrate_Delay(WorkingState& st, Clock& clock) {
  std::int32_t count = 0;
  const std::int64_t end = clock.now_ns() + 1'000'000'000;
  while (clock.now_ns() < end) {
    if (count == std::numeric_limits<std::int32_t>::max()) break;  // cannot overflow
    ++count;
    clock.spin();
  }
  st.LoopsPerSecond = count;
}

void Delay(Clock& clock, std::int64_t n) {
  if (n <= 0) return;
  clock.wait_until(clock.now_ns() + n * kDelayStepNs);
}

std::int64_t Delay_Iterations(std::int64_t n, std::int32_t loops_per_second) {
  if (n <= 0 || loops_per_second <= 0) return 0;
  const std::int64_t product = n * static_cast<std::int64_t>(loops_per_second);
  return (product + 9999) / 10000;
}

void Counting_Delay(Clock& clock, std::int64_t n, std::int32_t loops_per_second) {
  const std::int64_t iterations = Delay_Iterations(n, loops_per_second);
  for (std::int64_t i = 0; i < iterations; ++i) clock.spin();
}

int Delay_Unit_For(int check_speed_value) {
  return check_speed_value == 0 ? 2 : 30;
}

}  // namespace corvane
