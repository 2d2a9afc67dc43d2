#include "platform/precise_wakeups.h"

namespace corvane::platform {

// The scheduler's granularity is what it is here; the waits measure it and spin accordingly.
bool Request_Precise_Wakeups() {
  return false;
}

}  // namespace corvane::platform
