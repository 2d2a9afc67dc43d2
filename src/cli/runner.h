// The console program: parses the command line, assembles the programmer, runs start-up and the
// steps as the window's commands. Returns the exit status.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace corvane {

enum ExitStatus : int { kExitClean = 0, kExitFailed = 1, kExitUsage = 2, kExitRefused = 3 };

int Run_Cli(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err,
            bool err_is_terminal);

}  // namespace corvane
