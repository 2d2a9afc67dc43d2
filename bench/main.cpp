// corvane_bench: how long the programmer's waits and block transfers really take, against their
// nominal length. Prints Markdown tables; see docs/performance.md.
//
//   corvane_bench [--quick] [--waits-only | --blocks-only | --speeds-only | --virtual-only]
#include <sys/utsname.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "bench_table.h"
#include "block_bench.h"
#include "speed_bench.h"
#include "wait_bench.h"

namespace {

std::string Cpu_Model() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("model name", 0) == 0) {
      const auto colon = line.find(':');
      if (colon != std::string::npos) return line.substr(colon + 2);
    }
  }
  return "unknown";
}

// The 1-minute load average: the waits are busy waits, and on a busy machine the scheduler
// stretches them, so every table is printed with the load it was measured under.
std::string Load_Average() {
  std::ifstream in("/proc/loadavg");
  std::string one;
  in >> one;
  return one.empty() ? "unknown" : one;
}

}  // namespace

int main(int argc, char** argv) {
  corvane::bench::Budget budget;
  bool waits = true;
  bool blocks = true;
  bool speeds = true;
  bool real_speeds = true;
  bool quick = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) {
      budget.seconds_per_case = 0.2;
      budget.min_reps = 1;
      budget.max_reps = 200;
      quick = true;
    } else if (std::strcmp(argv[i], "--waits-only") == 0) {
      blocks = speeds = false;
    } else if (std::strcmp(argv[i], "--blocks-only") == 0) {
      waits = speeds = false;
    } else if (std::strcmp(argv[i], "--speeds-only") == 0) {
      waits = blocks = false;
    } else if (std::strcmp(argv[i], "--virtual-only") == 0) {
      waits = blocks = real_speeds = false;
    } else {
      std::fprintf(stderr,
                   "usage: %s [--quick] [--waits-only | --blocks-only | --speeds-only | "
                   "--virtual-only]\n",
                   argv[0]);
      return 2;
    }
  }
  utsname un{};
  uname(&un);
  std::printf("Machine: %s, %u hardware threads, %s %s; load average %s at start\n\n",
              Cpu_Model().c_str(), std::thread::hardware_concurrency(), un.sysname, un.release,
              Load_Average().c_str());
  if (waits) corvane::bench::Run_Wait_Benchmarks(budget, stdout);
  if (blocks) {
    std::printf("\n");
    corvane::bench::Run_Block_Benchmarks(budget, stdout);
  }
  if (speeds) {
    std::printf("\n");
    // Low speed in real time takes minutes: --quick leaves it out.
    corvane::bench::Run_Speed_Benchmarks(true, real_speeds, !quick, stdout);
  }
  std::printf("\nLoad average %s at the end.\n", Load_Average().c_str());
  return 0;
}
