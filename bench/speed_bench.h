// The three speeds through the window's own logic on the simulated board: a full chip programmed
// and verified in virtual time against the chip's physical limit, and a small file in real time
// with the processor time it costs and how exact its waits are.
#pragma once

#include <cstdio>

namespace corvane::bench {

// virtual_runs: the full-chip runs in virtual time; real_runs: the real-time runs (low speed
// only when with_low).
void Run_Speed_Benchmarks(bool virtual_runs, bool real_runs, bool with_low, std::FILE* out);

}  // namespace corvane::bench
