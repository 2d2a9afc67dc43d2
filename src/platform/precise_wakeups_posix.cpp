#include "platform/precise_wakeups.h"

#include <thread>

#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace corvane::platform {

PreciseWakeups::PreciseWakeups() {
#if defined(__linux__)
  // Timer slack of 1 ns: this thread's sleeps are not held back to be batched with others.
  granted_ = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
#endif
}

PreciseWakeups::~PreciseWakeups() {
#if defined(__linux__)
  // 0: the thread's default slack again.
  if (granted_) prctl(PR_SET_TIMERSLACK, 0UL, 0UL, 0UL, 0UL);
#endif
}

void Sleep_Until(std::chrono::steady_clock::time_point deadline) {
  // clock_nanosleep on the monotonic clock, with an absolute deadline: never early.
  std::this_thread::sleep_until(deadline);
}

}  // namespace corvane::platform
