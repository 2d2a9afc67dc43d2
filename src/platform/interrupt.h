// A stop asked for from outside the program: Ctrl+C, a termination request, the terminal or
// console going away.
//
// A signal handler (or, on Windows, a console control handler) may do almost nothing safely, so
// it only notes the request here; the running operation notices it at its next wait or port
// access (hardware/interruption.h) and unwinds to the program, which then leaves the programmer's
// lines safe, writes back what it must and exits with 128 + the signal's number.
// Implementations: interrupt.cpp (the flag), interrupt_posix.cpp, interrupt_windows.cpp (see
// README.md beside this file).
#pragma once

#include <string>

namespace corvane::platform {

// Signal numbers the requests are given as, on every system.
inline constexpr int kSigInt = 2;     // Ctrl+C
inline constexpr int kSigTerm = 15;   // a termination request; on Windows the console closing
inline constexpr int kSigHup = 1;     // the terminal went away (POSIX only)
inline constexpr int kSigPipe = 13;   // the reader of the output went away (POSIX only)
inline constexpr int kSigBreak = 21;  // Ctrl+Break (Windows only)

// Once per process, before the programmer is assembled: takes over the requests to stop that
// still have their default action (one the user's shell set to be ignored stays ignored). The
// first request is noted; the ones that follow (a terminal closing sends SIGHUP twice, an
// impatient user presses Ctrl+C again) are ignored, so that nothing cuts the way out short: the
// lines are left safe, the files written and the program exits with the first one's number. The
// handlers stay for the whole run; SIGKILL still ends the process at once.
void Install_Interrupt_Handlers();

// The signal number of the first request noted, or 0 when none. Safe from any thread.
int Interrupt_Signal();

// Notes a request as a handler would: the first one noted stays, and only it returns true. Touches
// nothing but a lock-free atomic, so the handlers call it too; tests and a program that decides to
// stop itself may as well.
bool Request_Interrupt(int signal_number);

// Forgets the noted request (tests only).
void Clear_Interrupt();

// How the request reads for the user: "SIGINT", "SIGTERM" ... on POSIX, "Ctrl+C", "console
// closed" ... on Windows; "signal N" for anything else.
std::string Interrupt_Name(int signal_number);

}  // namespace corvane::platform
