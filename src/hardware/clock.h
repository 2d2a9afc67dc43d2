// Time for the programmer's waits. The real clock waits on the monotonic clock; the virtual
// clock advances instantly, so tests and the simulated board run in virtual time while the
// simulated chip still sees every wait at its full length.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

namespace corvane::platform {
class PreciseWakeups;
}

namespace corvane {

class Clock {
 public:
  virtual ~Clock() = default;
  // Nanoseconds since the clock was made; never goes backwards.
  virtual std::int64_t now_ns() = 0;
  // Returns at or after the deadline, never before it.
  virtual void wait_until(std::int64_t deadline_ns) = 0;
  // One iteration of a counting loop's body (the calibration loop counts these).
  virtual void spin() = 0;

  void wait_for(std::int64_t ns) { wait_until(now_ns() + ns); }
};

// How long before its deadline a wait stops sleeping and starts to spin: an estimate of how late
// this machine's sleeps wake (their 75th percentile), plus a small margin, between 20 us and 2 ms.
// It starts at about a millisecond until a first measure (Start_From), then learns from every
// sleep: up by 3/64 when a sleep woke later than the estimate, down by 1/64 when sooner. A wake-up
// later than the stretch only makes that wait long, never short; one long preemption moves the
// estimate no more than any late wake-up.
class SleepStretch {
 public:
  void Learn(std::int64_t late_ns);
  // Starts the estimate from a measured lateness.
  void Start_From(std::int64_t late_ns);
  std::int64_t stretch_ns() const { return stretch_ns_; }
  std::int64_t lateness_ns() const { return late_ns_; }

  static constexpr std::int64_t kMinNs = 20'000;
  static constexpr std::int64_t kMaxNs = 2'000'000;
  static constexpr std::int64_t kMarginNs = 10'000;

 private:
  std::int64_t late_ns_ = 990'000;
  std::int64_t stretch_ns_ = 1'000'000;
};

// The real clock. A wait sleeps on the monotonic clock until a stretch before its deadline and
// spins only that stretch (SleepStretch), so it is never short and costs the processor little. The
// first wait long enough to allow it measures this machine's wake-ups with a few short sleeps
// inside it: no time is spent that the wait did not ask for.
class RealClock final : public Clock {
 public:
  // sleeps: false spins every wait whole, as a plain busy wait.
  explicit RealClock(bool sleeps = true);
  ~RealClock() override;
  std::int64_t now_ns() override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                start_)
        .count();
  }
  void wait_until(std::int64_t deadline_ns) override;
  void spin() override { cpu_relax(); }

  // The stretch that a wait now spins, and what it learnt from.
  const SleepStretch& stretch() const { return stretch_; }

 private:
  static void cpu_relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
  }
  void probe(std::int64_t deadline_ns);

  std::chrono::steady_clock::time_point start_;
  bool sleeps_;
  // Finer wake-ups for as long as this clock's waits may run.
  std::unique_ptr<platform::PreciseWakeups> precise_;
  bool probed_ = false;
  SleepStretch stretch_;
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
