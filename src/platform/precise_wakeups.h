// Sleeps that end close to their deadline, and never before it. Linux lets a sleep of an ordinary
// thread end up to 50 us late by default so that wake-ups can be batched; Windows ends sleeps on
// its timer's ticks, 15.6 ms apart unless a program asks for finer ones. The programmer sleeps
// through most of each wait and spins only the last stretch, so the later the wake-up, the longer
// that spin; a sleep that ends early would make the whole remainder a spin.
#pragma once

#include <chrono>

namespace corvane::platform {

// Held while the programmer's waits may run (the real clock holds one): asks the system to end
// this program's sleeps as close to their deadline as it can (Linux: a timer slack of 1 ns for
// the thread; Windows: a 1 ms timer resolution, timeBeginPeriod), and gives that back when it
// is destroyed (Windows: timeEndPeriod; the system's coarser ticks save power).
class PreciseWakeups {
 public:
  PreciseWakeups();
  ~PreciseWakeups();
  PreciseWakeups(const PreciseWakeups&) = delete;
  PreciseWakeups& operator=(const PreciseWakeups&) = delete;
  // False when the system offers no such request (the waits still work: they spin longer).
  bool granted() const { return granted_; }

 private:
  bool granted_ = false;
};

// Sleeps until `deadline` on the steady clock; returns at or after it, never before.
void Sleep_Until(std::chrono::steady_clock::time_point deadline);

}  // namespace corvane::platform
