// The waits' benchmark alone, on every system the programmer builds for (the Windows build runs
// it under Wine): corvane_wait_bench [--quick]. A wait must never be short (min ratio at least 1)
// and should cost little processor time (CPU / wall).
#include <cstdio>
#include <cstring>

#include "bench_table.h"
#include "wait_bench.h"

int main(int argc, char** argv) {
  corvane::bench::Budget budget;
  if (argc > 1 && std::strcmp(argv[1], "--quick") == 0) {
    budget.seconds_per_case = 0.2;
    budget.min_reps = 1;
    budget.max_reps = 200;
  }
  corvane::bench::Run_Wait_Benchmarks(budget, stdout);
  return 0;
}
