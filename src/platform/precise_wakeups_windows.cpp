#include <windows.h>

#include "platform/precise_wakeups.h"

namespace corvane::platform {

namespace {
constexpr UINT kResolutionMs = 1;
}

PreciseWakeups::PreciseWakeups() {
  granted_ = timeBeginPeriod(kResolutionMs) == TIMERR_NOERROR;
}

PreciseWakeups::~PreciseWakeups() {
  if (granted_) timeEndPeriod(kResolutionMs);
}

void Sleep_Until(std::chrono::steady_clock::time_point deadline) {
  // The C++ library's sleep_until may end early here (its sleep rounds the time left down to
  // whole milliseconds): Sleep whole milliseconds, rounded up, until the deadline has passed.
  using std::chrono::steady_clock;
  for (auto now = steady_clock::now(); now < deadline; now = steady_clock::now()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    ::Sleep(static_cast<DWORD>(left > 0 ? left : 1));
  }
}

}  // namespace corvane::platform
