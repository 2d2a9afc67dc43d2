// The signal trials: corvane-cli on the simulated board in real time, stopped the ways users and
// systems stop programs, many times at random offsets. Every run must exit with 128 + the first
// signal's number within 100 ms of it, leave a trace whose last write has Vpp off, a well-formed
// state file and no temporary file.
//   signal_trials CORVANE_CLI DATA_DIR WORK_DIR [TRIALS [SEED]]
// TRIALS (default 50) runs of each of the two main kinds (the terminal closed around the
// program, two signals 0 to 15 ms apart), and a tenth of it (at least 5) of each of the waits
// that must answer one signal. Prints a Markdown table; exit status 1 when a trial failed.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "image/hex_file.h"
#include "trial_run.h"

namespace corvane::trials {
namespace {

namespace fs = std::filesystem;

// How soon a wait must answer a signal. The machine's load (a state write's fsync, other
// programs on the cores) can delay an exit well past it now and then: those runs are counted and
// shown, and only one slower than kStopFailMs, which no wait that answers a signal comes near,
// fails the trial.
constexpr double kStopLimitMs = 100;
constexpr double kStopFailMs = 1000;

struct Kind {
  std::string name;
  int trials;
  // Fills the plan for a trial in `dir`; returns the files the folder must hold afterwards and
  // sets *expected to the exit status.
  std::function<std::vector<std::string>(const fs::path& dir, std::mt19937& random, TrialPlan* plan,
                                         int* expected)>
      plan;
  bool checks_trace = true;
  bool checks_state = true;
};

struct Tally {
  int runs = 0;
  int failures = 0;
  int slow = 0;          // stopped later than kStopLimitMs
  int second_first = 0;  // two signals pending together: the system handed over the second first
  std::vector<double> stop_ms;
  std::vector<std::string> notes;
};

long Uniform(std::mt19937& random, long low, long high) {
  return std::uniform_int_distribution<long>(low, high)(random);
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// "" when the trace is as it must be: whole lines, and the last write to the board's data
// register (0x378) with D3 set (Vpp off on the Brannock board), or no such write at all (stopped
// before the board was found; the discovery probes LPT2, where there is no board, first).
std::string Check_Trace(const fs::path& trace) {
  const std::string text = Read(trace);
  if (text.empty()) return "";
  if (text.back() != '\n') return "trace does not end with a whole line";
  const std::size_t at = text.rfind(" W 378 ");
  if (at == std::string::npos) return "";
  if ((std::stoi(text.substr(at + 7, 2), nullptr, 16) & 0x08) == 0) return "trace leaves Vpp on";
  return "";
}

std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Percentile(std::vector<double> v, double p) {
  if (v.empty()) return "-";
  std::sort(v.begin(), v.end());
  const double x = v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ms", x);
  return text;
}

}  // namespace
}  // namespace corvane::trials

int main(int argc, char** argv) {
  using namespace corvane::trials;
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s CORVANE_CLI DATA_DIR WORK_DIR [TRIALS [SEED]]\n", argv[0]);
    return 2;
  }
  const std::string cli = argv[1];
  const std::string demo = std::string(argv[2]) + "/pic16f84a_demo_inhx8m.hex";
  const fs::path work = argv[3];
  const int trials = argc > 4 ? std::max(1, std::atoi(argv[4])) : 50;
  const unsigned seed = argc > 5 ? static_cast<unsigned>(std::atol(argv[5])) : 15u;
  const int waits = std::max(5, trials / 10);
  std::mt19937 random(seed);
  const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

  auto board = [](const fs::path& dir) {
    return "sim:time=real,state=" + (dir / "chip.hex").string();
  };
  // Start-up (one second of calibration, then discovery), then programming at the fast speed.
  auto programming = [&](const fs::path& dir, TrialPlan* plan) {
    plan->argv = {cli,     "--board", board(dir), "--trace", (dir / "run.trace").string(),
                  "load",  demo,      "speed",    "fast",    "program",
                  "verify"};
    plan->trace = (dir / "run.trace").string();
  };
  const std::vector<std::string> kept = {"chip.hex", "run.trace"};

  std::vector<Kind> kinds;
  kinds.push_back({"terminal closed (SIGHUP from the kernel, then from the shell 0-15 ms later)",
                   trials,
                   [&](const fs::path& dir, std::mt19937& r, TrialPlan* plan, int* expected) {
                     programming(dir, plan);
                     plan->pty = true;
                     plan->first_ms = Uniform(r, 0, 1500);
                     plan->first_signal = 0;
                     plan->second_ms = Uniform(r, 0, 15);
                     plan->second_signal = SIGHUP;
                     *expected = 128 + SIGHUP;
                     return kept;
                   }});
  kinds.push_back({"two signals 0-15 ms apart (SIGINT, SIGTERM, SIGHUP)", trials,
                   [&](const fs::path& dir, std::mt19937& r, TrialPlan* plan, int* expected) {
                     programming(dir, plan);
                     plan->first_ms = Uniform(r, 0, 1500);
                     plan->first_signal = kSignals[r() % 3];
                     plan->second_ms = Uniform(r, 0, 15);
                     plan->second_signal = kSignals[r() % 3];
                     *expected = 128 + plan->first_signal;
                     return kept;
                   }});
  kinds.push_back({"load from a FIFO that no program writes to", waits,
                   [&](const fs::path& dir, std::mt19937& r, TrialPlan* plan, int* expected) {
                     const std::string fifo = (dir / "in.fifo").string();
                     ::mkfifo(fifo.c_str(), 0600);
                     plan->argv = {
                         cli,    "--board", board(dir), "--trace", (dir / "run.trace").string(),
                         "load", fifo};
                     plan->trace = (dir / "run.trace").string();
                     plan->first_ms = Uniform(r, 1100, 1500);
                     plan->first_signal = SIGTERM;
                     *expected = 128 + SIGTERM;
                     return std::vector<std::string>{"chip.hex", "in.fifo", "run.trace"};
                   }});
  kinds.push_back({"trace into a FIFO that no program reads", waits,
                   [&](const fs::path& dir, std::mt19937& r, TrialPlan* plan, int* expected) {
                     const std::string fifo = (dir / "trace.fifo").string();
                     ::mkfifo(fifo.c_str(), 0600);
                     plan->argv = {cli, "--board", board(dir), "--trace", fifo, "device-id"};
                     plan->trace = fifo;
                     plan->first_ms = Uniform(r, 50, 400);
                     plan->first_signal = SIGTERM;
                     *expected = 128 + SIGTERM;
                     return std::vector<std::string>{"trace.fifo"};
                   },
                   false, false});
  kinds.push_back({"load from an endless pipe", waits,
                   [&](const fs::path& dir, std::mt19937& r, TrialPlan* plan, int* expected) {
                     plan->argv = {
                         cli,    "--board",   board(dir), "--trace", (dir / "run.trace").string(),
                         "load", "/dev/stdin"};
                     plan->trace = (dir / "run.trace").string();
                     plan->input = Input::kEndless;
                     plan->first_ms = Uniform(r, 1100, 1600);
                     plan->first_signal = SIGINT;
                     *expected = 128 + SIGINT;
                     return kept;
                   }});
  kinds.push_back({"load from the terminal, Ctrl+C typed", waits,
                   [&](const fs::path& dir, std::mt19937& r, TrialPlan* plan, int* expected) {
                     plan->argv = {
                         cli,    "--board",   board(dir), "--trace", (dir / "run.trace").string(),
                         "load", "/dev/stdin"};
                     plan->trace = (dir / "run.trace").string();
                     plan->pty = true;
                     plan->input = Input::kTerminal;
                     plan->first_ms = Uniform(r, 1100, 1600);
                     plan->first_signal = -1;
                     *expected = 128 + SIGINT;
                     return kept;
                   }});
  kinds.push_back({"start-up: calibration and discovery", waits,
                   [&](const fs::path& dir, std::mt19937& r, TrialPlan* plan, int* expected) {
                     plan->argv = {
                         cli,        "--board", board(dir), "--trace", (dir / "run.trace").string(),
                         "device-id"};
                     plan->trace = (dir / "run.trace").string();
                     plan->first_ms = Uniform(r, 0, 1100);
                     plan->first_signal = SIGINT;
                     *expected = 128 + SIGINT;
                     return kept;
                   }});

  std::printf(
      "| trials | kind | exit 128 + N, Vpp off, state whole, no temporary file | "
      "stop: median | stop: 95th percentile | stop: max | over 100 ms |\n"
      "|---|---|---|---|---|---|---|\n");
  int failed = 0;
  int n = 0;
  for (const Kind& kind : kinds) {
    Tally tally;
    for (int t = 0; t < kind.trials; ++t) {
      const fs::path dir = work / ("trial-" + std::to_string(n++));
      fs::remove_all(dir);
      fs::create_directories(dir);
      TrialPlan plan;
      int expected = 0;
      const std::vector<std::string> names = kind.plan(dir, random, &plan, &expected);
      const TrialResult r = Run_Trial(plan);
      std::string why;
      if (!r.started) {
        why = "never opened its trace";
      } else if (!r.exited) {
        why = "killed by signal " + std::to_string(r.status);
      } else if (r.status != expected && plan.second_signal != 0 &&
                 r.status == 128 + plan.second_signal) {
        ++tally.second_first;  // both pending at once: the system hands the lower number first
      } else if (r.status != expected) {
        why = "exit " + std::to_string(r.status) + ", expected " + std::to_string(expected);
      } else if (r.stop_ms > kStopFailMs) {
        why = "stopped " + std::to_string(static_cast<int>(r.stop_ms)) + " ms after the signal";
      } else if (kind.checks_trace) {
        why = Check_Trace(dir / "run.trace");
      }
      if (why.empty() && kind.checks_state) {
        corvane::ChipContents chip;
        std::string error;
        if (!corvane::Read_Chip_Hex((dir / "chip.hex").string(), 1024, 64, &chip, &error)) {
          why = "state file: " + error;
        }
      }
      if (why.empty() && Names(dir) != names) {
        why = "the folder holds";
        for (const std::string& name : Names(dir)) why += " " + name;
      }
      ++tally.runs;
      if (r.exited) tally.stop_ms.push_back(r.stop_ms);
      if (r.exited && r.stop_ms > kStopLimitMs) {
        ++tally.slow;
        tally.notes.push_back("trial " + std::to_string(n - 1) + ": stopped " +
                              std::to_string(static_cast<int>(r.stop_ms)) + " ms after the signal");
      }
      if (!why.empty()) {
        ++tally.failures;
        tally.notes.push_back("trial " + std::to_string(n - 1) + " (first at " +
                              std::to_string(plan.first_ms) + " ms): " + why);
      } else {
        fs::remove_all(dir);
      }
    }
    failed += tally.failures;
    std::string passed =
        std::to_string(tally.runs - tally.failures) + " of " + std::to_string(tally.runs);
    if (tally.second_first > 0) {
      passed += " (" + std::to_string(tally.second_first) +
                " with the second's number: sent "
                "together)";
    }
    std::printf("| %d | %s | %s | %s | %s | %s | %d |\n", tally.runs, kind.name.c_str(),
                passed.c_str(), Percentile(tally.stop_ms, 0.5).c_str(),
                Percentile(tally.stop_ms, 0.95).c_str(), Percentile(tally.stop_ms, 1.0).c_str(),
                tally.slow);
    std::fflush(stdout);
    for (const std::string& note : tally.notes) std::fprintf(stderr, "  %s\n", note.c_str());
  }
  std::printf("\nseed %u; %s\n", seed, failed == 0 ? "every trial passed" : "TRIALS FAILED");
  return failed == 0 ? 0 : 1;
}
