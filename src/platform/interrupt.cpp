// The noted request, shared by every system's handler.
#include <atomic>

#include "platform/interrupt.h"

namespace corvane::platform {

namespace {

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler needs a lock-free flag");

// The one piece of process-wide state a handler can reach.
constinit std::atomic<int> pending{0};

}  // namespace

int Interrupt_Signal() {
  return pending.load(std::memory_order_relaxed);
}

bool Request_Interrupt(int signal_number) {
  int none = 0;
  return pending.compare_exchange_strong(none, signal_number);
}

void Clear_Interrupt() {
  pending.store(0);
}

}  // namespace corvane::platform
