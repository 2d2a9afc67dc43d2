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

std::int64_t Cpu_Ns() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// The waits' lengths, and the processor time they took over their wall time.
Summary Measure(int reps, const std::function<void()>& wait, double* cpu_share) {
  wait();  // warm-up: page in the code, settle the frequency
  std::vector<std::int64_t> samples;
  samples.reserve(static_cast<std::size_t>(reps));
  const std::int64_t wall_start = Now_Ns();
  const std::int64_t cpu_start = Cpu_Ns();
  for (int i = 0; i < reps; ++i) {
    const std::int64_t start = Now_Ns();
    wait();
    samples.push_back(Now_Ns() - start);
  }
  *cpu_share =
      static_cast<double>(Cpu_Ns() - cpu_start) / static_cast<double>(Now_Ns() - wall_start);
  return Summarise(std::move(samples));
}

}  // namespace

void Run_Wait_Benchmarks(const Budget& budget, std::FILE* out) {
  RealClock clock;
  RealClock busy(false);
  WorkingState st;
  std::fprintf(out, "Calibrating the counting loop (one second)...\n");
  std::fflush(out);
  Calibrate_Delay(st, clock);
  std::fprintf(out, "LoopsPerSecond = %d\n\n", st.LoopsPerSecond);

  Table table({"wait", "unit", "nominal", "method", "reps", "median", "p99", "min ratio",
               "median ratio", "p99 ratio", "CPU / wall"});
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
          {"Delay (sleep, spin the last stretch)", [&] { Delay(clock, n); }},
          {"Delay on a busy wait (as before)", [&] { Delay(busy, n); }},
          {"sleep (clock_nanosleep)", [&] { Sleep_Steps(n); }},
          {"Counting_Delay (calibrated loop)",
           [&] { Counting_Delay(clock, n, st.LoopsPerSecond); }},
      };
      for (const auto& m : methods) {
        double cpu = 0;
        const Summary s = Measure(reps, m.wait, &cpu);
        table.Add({std::to_string(units) + (units == 1 ? " unit" : " units"),
                   std::to_string(delay_unit), Format_Duration(nominal), m.name,
                   std::to_string(s.reps), Format_Duration(s.median_ns), Format_Duration(s.p99_ns),
                   Format_Ratio(s.min_ns / nominal), Format_Ratio(s.median_ns / nominal),
                   Format_Ratio(s.p99_ns / nominal), Format_Ratio(cpu)});
      }
    }
  }
  table.Print(out);
  std::fprintf(out,
               "\nSpin stretch learnt by the sleeping Delay: %s (wake-up lateness estimate %s)\n",
               Format_Duration(static_cast<double>(clock.stretch().stretch_ns())).c_str(),
               Format_Duration(static_cast<double>(clock.stretch().lateness_ns())).c_str());
}

}  // namespace corvane::bench
