// Benchmarks of block transfers and port accesses on the simulated programmer board.
#pragma once

#include <cstdio>

#include "bench_table.h"

namespace corvane::bench {

// A Read_Block of 128 words and a Write_Block of 16 words that all need programming, on the
// simulated board in real time, against the sum of their nominal waits; and the cost of one
// port access on that board.
void Run_Block_Benchmarks(const Budget& budget, std::FILE* out);

}  // namespace corvane::bench
