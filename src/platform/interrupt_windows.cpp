#include <windows.h>

#include <atomic>

#include "platform/interrupt.h"

namespace corvane::platform {

namespace {

constinit std::atomic<bool> installed{false};

// Runs on a thread of its own that the system starts for each console event.
BOOL WINAPI On_Console_Event(DWORD event) {
  int signal_number = 0;
  switch (event) {
    case CTRL_C_EVENT:
      signal_number = kSigInt;
      break;
    case CTRL_BREAK_EVENT:
      signal_number = kSigBreak;
      break;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      signal_number = kSigTerm;
      break;
    default:
      return FALSE;
  }
  // The first request is noted; a later one (a second Ctrl+C) is ignored like it, so that nothing
  // cuts the way out short.
  Request_Interrupt(signal_number);
  if (signal_number == kSigTerm) {
    // The console is going away: the system ends the process as soon as this handler returns
    // (and after about five seconds in any case). Give the program that time to leave the lines
    // safe and exit by itself; its exit ends this thread too.
    ::Sleep(4500);
  }
  return TRUE;
}

}  // namespace

void Install_Interrupt_Handlers() {
  if (installed.exchange(true)) return;
  ::SetConsoleCtrlHandler(On_Console_Event, TRUE);
}

std::string Interrupt_Name(int signal_number) {
  switch (signal_number) {
    case kSigInt:
      return "Ctrl+C";
    case kSigBreak:
      return "Ctrl+Break";
    case kSigTerm:
      return "console closed";
    default:
      return "signal " + std::to_string(signal_number);
  }
}

}  // namespace corvane::platform
