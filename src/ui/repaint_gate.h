// Limits how often the window repaints during an operation: at most once per interval (every view
// of the window).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace corvane {

class RepaintGate {
 public:
  using Now = std::function<std::int64_t()>;  // nanoseconds, never going backwards

  static std::int64_t Steady_Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }

  explicit RepaintGate(std::int64_t interval_ns = 50'000'000, Now now = &Steady_Now)
      : interval_ns_(interval_ns), now_(std::move(now)) {}

  // True when a repaint is due now; the next one is then due an interval later.
  bool Due() {
    const std::int64_t t = now_();
    if (started_ && t - last_ < interval_ns_) return false;
    started_ = true;
    last_ = t;
    return true;
  }
  void Set_Clock(Now now) { now_ = std::move(now); }

 private:
  std::int64_t interval_ns_;
  Now now_;
  bool started_ = false;
  std::int64_t last_ = 0;
};

}  // namespace corvane
