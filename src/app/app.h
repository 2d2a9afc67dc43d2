// The window program: parses its command line, assembles the programmer, shows the window and
// runs start-up. Returns the exit status.
#pragma once

namespace corvane::app {

enum AppExit : int { kAppClean = 0, kAppFailed = 1, kAppUsage = 2 };

int Run_App(int argc, char** argv);

}  // namespace corvane::app
