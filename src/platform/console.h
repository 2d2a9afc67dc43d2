// The standard streams of a console program.
// Implementations: console_posix.cpp, console_windows.cpp (see README.md beside this file).
#pragma once

namespace corvane::platform {

// Once, before anything is written: makes the standard output and error carry exactly the bytes
// the program writes, so that the console program's output is the same on every system (on
// Windows: no LF to CR LF translation; terminal control sequences enabled where the console
// supports them). Nothing to do on POSIX.
void Prepare_Standard_Streams();

// True when the standard error stream is an interactive terminal that understands the carriage
// return and "erase to end of line" sequence of the progress line.
bool Stderr_Is_Terminal();

}  // namespace corvane::platform
