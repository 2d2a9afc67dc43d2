// The console program: parses the command line, assembles the programmer, runs start-up and the
// steps as the window's commands. Returns the exit status.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>
#include <vector>

#include "hardware/interruption.h"

namespace corvane {

// A run stopped by a request (Ctrl+C, SIGTERM, the console closing) exits with 128 + its signal
// number, after leaving the programmer's lines safe.
enum ExitStatus : int {
  kExitClean = 0,
  kExitFailed = 1,
  kExitUsage = 2,
  kExitRefused = 3,
  kExitSignalBase = 128
};

// interrupts: where requests to stop come from; null for the process's signals. answers: where the
// board test reads the user's answers; null for the standard input.
int Run_Cli(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err,
            bool err_is_terminal, InterruptSource* interrupts = nullptr,
            std::istream* answers = nullptr);

}  // namespace corvane
