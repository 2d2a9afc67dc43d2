#include <signal.h>

#include <atomic>
#include <cerrno>

#include "platform/interrupt.h"

namespace corvane::platform {

namespace {

static_assert(SIGINT == kSigInt && SIGTERM == kSigTerm && SIGHUP == kSigHup && SIGPIPE == kSigPipe,
              "the request numbers are the POSIX signal numbers");
constinit std::atomic<bool> installed{false};

extern "C" void Note_Interrupt(int signal_number) {
  const int saved_errno = errno;
  Request_Interrupt(signal_number);
  errno = saved_errno;
}

}  // namespace

void Install_Interrupt_Handlers() {
  if (installed.exchange(true)) return;
  for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction current = {};
    if (::sigaction(s, nullptr, &current) != 0) continue;
    if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
    struct sigaction action = {};
    action.sa_handler = Note_Interrupt;
    // The others wait while one is noted: two that arrive together are each handled whole, the
    // first sent first (the system would otherwise run the later one's handler inside the
    // earlier one's, before it could note anything).
    sigemptyset(&action.sa_mask);
    for (const int other : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&action.sa_mask, other);
    // Not reset after the first: a second request is noted and ignored like any later one.
    // SA_RESTART: system calls under way go on; the request is noticed at the next port access,
    // wait or read, all of which look for it at least every 10 ms.
    action.sa_flags = SA_RESTART;
    ::sigaction(s, &action, nullptr);
  }
}

std::string Interrupt_Name(int signal_number) {
  switch (signal_number) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    case SIGPIPE:
      return "SIGPIPE";
    default:
      return "signal " + std::to_string(signal_number);
  }
}

}  // namespace corvane::platform
