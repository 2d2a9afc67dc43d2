#include "wait_bench.h"

#include <time.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "hardware/clock.h"
#include "hardware/delay.h"
#include "state/working_state.h"

namespace corvane::bench {

namespace {

// A sleep until the deadline on the monotonic clock, resumed when a signal interrupts it.
void Sleep_Steps(std::int64_t n) {
  timespec deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  const std::int64_t ns = deadline.tv_nsec + n * kDelayStepNs;
  deadline.tv_sec += static_cast<time_t>(ns / 1'000'000'000);
  deadline.tv_nsec = static_cast<long>(ns % 1'000'000'000);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

Summary Measure(int reps, const std::function<void()>& wait) {
  wait();  // warm-up: page in the code, settle the frequency
  std::vector<std::int64_t> samples;
  samples.reserve(static_cast<std::size_t>(reps));
  for (int i = 0; i < reps; ++i) {
    const std::int64_t start = Now_Ns();
    wait();
    samples.push_back(Now_Ns() - start);
  }
  return Summarise(std::move(samples));
}

}  // namespace

void Run_Wait_Benchmarks(const Budget& budget, std::FILE* out) {
  RealClock clock;
  WorkingState st;
  std::fprintf(out, "Calibrating the counting loop (one second)...\n");
  std::fflush(out);
  Calibrate_Delay(st, clock);
  std::fprintf(out, "LoopsPerSecond = %d\n\n", st.LoopsPerSecond);

  Table table(
      {"wait", "unit", "nominal", "method", "reps", "median", "p99", "median ratio", "p99 ratio"});
  const int kUnits[] = {1, 10, 250, 1500};
  const int kDelayUnits[] = {2, 30};
  for (const int delay_unit : kDelayUnits) {
    for (const int units : kUnits) {
      const std::int64_t n = static_cast<std::int64_t>(units) * delay_unit;
      const double nominal = static_cast<double>(n * kDelayStepNs);
      const int reps = budget.Reps_For(nominal);
      const struct {
        const char* name;
        std::function<void()> wait;
      } methods[] = {
          {"Delay (busy wait)", [&] { Delay(clock, n); }},
          {"sleep (clock_nanosleep)", [&] { Sleep_Steps(n); }},
          {"Counting_Delay (calibrated loop)",
           [&] { Counting_Delay(clock, n, st.LoopsPerSecond); }},
      };
      for (const auto& m : methods) {
        const Summary s = Measure(reps, m.wait);
        table.Add({std::to_string(units) + (units == 1 ? " unit" : " units"),
                   std::to_string(delay_unit), Format_Duration(nominal), m.name,
                   std::to_string(s.reps), Format_Duration(s.median_ns), Format_Duration(s.p99_ns),
                   Format_Ratio(s.median_ns / nominal), Format_Ratio(s.p99_ns / nominal)});
      }
    }
  }
  table.Print(out);
}

}  // namespace corvane::bench
