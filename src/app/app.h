// The window program: parses its command line, assembles the programmer, shows the window and
// runs start-up. Returns the exit status.
#pragma once

namespace corvane::app {

// kAppRefused: --board lpt on a system without a parallel-port backend. A run stopped by a
// signal exits with kAppSignalBase + its number, after leaving the programmer's lines safe.
enum AppExit : int {
  kAppClean = 0,
  kAppFailed = 1,
  kAppUsage = 2,
  kAppRefused = 3,
  kAppSignalBase = 128
};

int Run_App(int argc, char** argv);

}  // namespace corvane::app
