// The window program on Windows: the programmer the command line names, the Win32 window over the
// window's logic, and the way out.
#pragma once

namespace corvane::win32app {

// argv in the ANSI code page, as the C runtime gives it. Returns the exit status: 0, 1 when the
// simulated chip's state file could not be written, 2 on a usage error, 3 without a usable port
// backend, 128 + N after a request to stop.
int Run_Win32_App(int argc, char** argv);

// The --help text.
const char* Win32_App_Usage();

}  // namespace corvane::win32app
