// Calibrated waits. A wait of n steps lasts n x 100 us; the protocol waits in units of
// DelayUnit steps (0.2 ms at normal speed, 3 ms with "Low Speed").
#pragma once

#include <cstdint>

#include "hardware/clock.h"
#include "state/working_state.h"

namespace corvane {

inline constexpr std::int64_t kDelayStepNs = 100'000;  // one Delay step: 100 us

// Counts iterations of the counting loop for one second of the clock into LoopsPerSecond.
// The clock is monotonic, so the second ends even when the time of day wraps at midnight.
void Calibrate_Delay(WorkingState& st, Clock& clock);

// Waits n steps on the monotonic clock: at least n x 100 us. The real clock sleeps through all
// but the last stretch of the wait and spins that stretch.
void Delay(Clock& clock, std::int64_t n);

// Iterations of the calibrated counting loop for Delay(n): ceil(n x LoopsPerSecond / 10000).
std::int64_t Delay_Iterations(std::int64_t n, std::int32_t loops_per_second);

// The calibrated counting loop itself: runs Delay_Iterations(n, LoopsPerSecond) iterations.
// Kept for measurement; the programmer's waits use Delay.
void Counting_Delay(Clock& clock, std::int64_t n, std::int32_t loops_per_second);

// DelayUnit for a value of the "Low Speed" box: 2 when unchecked, 30 otherwise.
int Delay_Unit_For(int check_speed_value);

}  // namespace corvane
