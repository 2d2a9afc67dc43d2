// Releases the claimed parallel ports when the process is stopped by a signal.
//
// A program killed by Ctrl-C (SIGINT), SIGTERM or a fatal error (SIGSEGV, SIGABRT, ...) must not
// leave a port claimed with PPEXCL. The handler therefore needs the open port descriptors, and
// a signal handler can reach only process-wide state: this registry is the port layer's one
// piece of it, a fixed table of descriptors kept in lock-free atomics so the handler may read
// it at any moment. Only the real device layer (LinuxParportDevices) enters descriptors here.
#pragma once

namespace corvane {

inline constexpr int kParportRegistrySize = 8;

// Enters an open port descriptor; false when the table is full.
bool Register_Parport_Fd(int fd);
// Removes it (before the descriptor is closed).
void Unregister_Parport_Fd(int fd);
// Number of descriptors currently entered.
int Registered_Parport_Count();

// PPRELEASE and close for every entered descriptor, emptying the table. Async-signal-safe.
// The lines are left as they are: nothing is written to the port.
void Release_Registered_Parports();

// Once per process: for SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGSEGV, SIGBUS, SIGFPE and
// SIGILL whose action is still the default, installs a handler that releases the ports and then
// lets the signal take its default action (the process dies as it would have). Signals the
// program already handles or ignores are left alone: the two programs take SIGINT, SIGTERM and
// SIGHUP first (platform/interrupt.h) and stop in order, leaving the lines safe, so this release
// serves crashes, SIGQUIT and code that installs no interrupt handlers.
void Install_Parport_Signal_Handlers();

}  // namespace corvane
