// One trial: corvane-cli started as a child process (on a pseudo-terminal, or with its output in
// files), its input fed as the trial asks, and signals sent or its terminal closed at set offsets
// after it has opened its trace file.
#pragma once

#include <string>
#include <vector>

namespace corvane::trials {

enum class Input {
  kNone,      // /dev/null
  kTerminal,  // the pseudo-terminal, on which nothing is typed
  kEndless,   // a pipe that never ends (":00000001FF" for ever)
};

struct TrialPlan {
  std::vector<std::string> argv;  // argv[0]: the program
  std::string trace;              // the trace file, whose appearance starts the clock
  bool pty = false;               // stdin, stdout and stderr on a pseudo-terminal
  Input input = Input::kNone;
  long first_ms = 0;      // offset of the first signal (or of the terminal closing)
  int first_signal = 0;   // 0: close the terminal instead (the kernel sends SIGHUP);
                          // -1: type Ctrl+C on the terminal
  long second_ms = 0;     // offset of the second signal, after the first
  int second_signal = 0;  // 0: none
};

struct TrialResult {
  bool exited = false;   // ended by exit, not killed
  int status = -1;       // exit status; the signal's number when killed
  double stop_ms = -1;   // from the first signal (or the terminal closing) to the exit
  bool started = false;  // the trace appeared within the time allowed
};

TrialResult Run_Trial(const TrialPlan& plan);

}  // namespace corvane::trials
