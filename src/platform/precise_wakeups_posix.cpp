#include "platform/precise_wakeups.h"

#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace corvane::platform {

bool Request_Precise_Wakeups() {
#if defined(__linux__)
  // Timer slack of 1 ns: this thread's sleeps are not held back to be batched with others.
  return prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
#else
  return false;
#endif
}

}  // namespace corvane::platform
