// Time for the programmer's waits. The real clock busy-waits on the monotonic clock; the virtual
// clock advances instantly, so tests and the simulated board run in virtual time while the
// simulated chip still sees every wait at its full length.
#pragma once

#include <chrono>
#include <cstdint>

namespace corvane {

class Clock {
 public:
  virtual ~Clock() = default;
  // Nanoseconds since the clock was made; never goes backwards.
  virtual std::int64_t now_ns() = 0;
  // Returns at or after the deadline (busy wait, no sleep).
  virtual void wait_until(std::int64_t deadline_ns) = 0;
  // One iteration of a counting loop's body (the calibration loop counts these).
  virtual void spin() = 0;

  void wait_for(std::int64_t ns) { wait_until(now_ns() + ns); }
};

class RealClock final : public Clock {
 public:
  RealClock() : start_(std::chrono::steady_clock::now()) {}
  std::int64_t now_ns() override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                start_)
        .count();
  }
  void wait_until(std::int64_t deadline_ns) override {
    while (now_ns() < deadline_ns) cpu_relax();
  }
  void spin() override { cpu_relax(); }

 private:
  static void cpu_relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
  }
  std::chrono::steady_clock::time_point start_;
};

class VirtualClock final : public Clock {
 public:
  // spin_ns: virtual time taken by one counting-loop iteration. The default makes the
  // calibration count 10000 iterations per second, so one loop iteration is one delay step.
  explicit VirtualClock(std::int64_t spin_ns = 100'000) : spin_ns_(spin_ns) {}
  std::int64_t now_ns() override { return now_; }
  void wait_until(std::int64_t deadline_ns) override {
    if (deadline_ns > now_) now_ = deadline_ns;
  }
  void spin() override { now_ += spin_ns_; }
  void advance(std::int64_t ns) { now_ += ns; }

 private:
  std::int64_t now_ = 0;
  std::int64_t spin_ns_;
};

}  // namespace corvane
