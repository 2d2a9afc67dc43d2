#include "hardware/clock.h"

#include <algorithm>
#include <thread>

#include "platform/precise_wakeups.h"

namespace corvane {

RealClock::RealClock(bool sleeps) : start_(std::chrono::steady_clock::now()), sleeps_(sleeps) {
  if (sleeps_) platform::Request_Precise_Wakeups();
}

void RealClock::wait_until(std::int64_t deadline_ns) {
  std::int64_t now = now_ns();
  if (sleeps_ && deadline_ns - now > stretch_.stretch_ns()) {
    const std::int64_t wake = deadline_ns - stretch_.stretch_ns();
    std::this_thread::sleep_until(start_ + std::chrono::nanoseconds(wake));
    now = now_ns();
    stretch_.Learn(now - wake);
  }
  while (now < deadline_ns) {
    cpu_relax();
    now = now_ns();
  }
}

void SleepStretch::Learn(std::int64_t late_ns) {
  if (late_ns > late_ns_) {
    late_ns_ += std::max<std::int64_t>(late_ns_ * 3 / 128, 1);
  } else {
    late_ns_ -= late_ns_ / 128;
  }
  late_ns_ = std::clamp<std::int64_t>(late_ns_, 1'000, kMaxNs);
  stretch_ns_ = std::clamp(late_ns_ + kMarginNs, kMinNs, kMaxNs);
}

}  // namespace corvane
