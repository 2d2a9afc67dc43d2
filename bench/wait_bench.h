// Benchmarks of the programmer's waits on the real clock.
#pragma once

#include <cstdio>

#include "bench_table.h"

namespace corvane::bench {

// The protocol's waits of 1, 10, 250 and 1500 units at both speeds, three ways: Delay (the busy
// wait the programmer uses), a sleep of the same length, and the calibrated counting loop.
void Run_Wait_Benchmarks(const Budget& budget, std::FILE* out);

}  // namespace corvane::bench
