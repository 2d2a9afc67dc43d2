// The standard streams of a console program.
// Implementations: console_posix.cpp, console_windows.cpp (see README.md beside this file).
#pragma once

#include <string>

namespace corvane::platform {

// Once, before anything is written: makes the standard output and error carry exactly the bytes
// the program writes, so that the console program's output is the same on every system (on
// Windows: no LF to CR LF translation; terminal control sequences enabled where the console
// supports them). Nothing to do on POSIX.
void Prepare_Standard_Streams();

// True when the standard error stream is an interactive terminal that understands the carriage
// return and "erase to end of line" sequence of the progress line.
bool Stderr_Is_Terminal();

// True when PATH names the file or pipe the standard output already writes to (e.g.
// /dev/stdout, or the file the shell redirected it to), so that nothing else is written into
// a HEX file being saved there. False when PATH does not exist, and for a terminal.
bool Is_Standard_Output(const std::string& path);

}  // namespace corvane::platform
