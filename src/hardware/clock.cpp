#include "hardware/clock.h"

#include <algorithm>
#include <array>
#include <memory>

#include "platform/precise_wakeups.h"

namespace corvane {

RealClock::RealClock(bool sleeps) : start_(std::chrono::steady_clock::now()), sleeps_(sleeps) {
  if (sleeps_) precise_ = std::make_unique<platform::PreciseWakeups>();
}

RealClock::~RealClock() = default;

void RealClock::wait_until(std::int64_t deadline_ns) {
  if (sleeps_ && !probed_ && deadline_ns - now_ns() > 4'000'000) probe(deadline_ns);
  std::int64_t now = now_ns();
  if (sleeps_ && deadline_ns - now > stretch_.stretch_ns()) {
    const std::int64_t wake = deadline_ns - stretch_.stretch_ns();
    platform::Sleep_Until(start_ + std::chrono::nanoseconds(wake));
    now = now_ns();
    stretch_.Learn(now - wake);
  }
  while (now < deadline_ns) {
    cpu_relax();
    now = now_ns();
  }
}

// Sixteen sleeps of 100 us inside a wait of more than 4 ms, stopping 2 ms before its deadline;
// with fewer than eight, the next long wait tries again.
void RealClock::probe(std::int64_t deadline_ns) {
  std::array<std::int64_t, 16> late{};
  std::size_t n = 0;
  while (n < late.size() && deadline_ns - now_ns() > 2'000'000) {
    const std::int64_t wake = now_ns() + 100'000;
    platform::Sleep_Until(start_ + std::chrono::nanoseconds(wake));
    late[n++] = now_ns() - wake;
  }
  if (n < 8) return;
  std::sort(late.begin(), late.begin() + static_cast<std::ptrdiff_t>(n));
  stretch_.Start_From(late[n * 3 / 4]);
  probed_ = true;
}

void SleepStretch::Start_From(std::int64_t late_ns) {
  late_ns_ = std::clamp<std::int64_t>(late_ns, 1'000, kMaxNs);
  stretch_ns_ = std::clamp(late_ns_ + kMarginNs, kMinNs, kMaxNs);
}

void SleepStretch::Learn(std::int64_t late_ns) {
  if (late_ns > late_ns_) {
    late_ns_ += std::max<std::int64_t>(late_ns_ * 3 / 64, 1);
  } else {
    late_ns_ -= late_ns_ / 64;
  }
  late_ns_ = std::clamp<std::int64_t>(late_ns_, 1'000, kMaxNs);
  stretch_ns_ = std::clamp(late_ns_ + kMarginNs, kMinNs, kMaxNs);
}

}  // namespace corvane
