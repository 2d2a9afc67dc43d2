// Stopping an operation when the user or the system asks the program to stop.
//
// The request itself is only noted (platform/interrupt.h); these decorators make the running
// operation notice it at its next port access or during its next wait, by throwing Interrupted.
// The exception unwinds through the protocol and the operations to the program, which leaves the
// programmer's lines safe (Rig::Finish) and exits with 128 + the signal's number. Interrupted is
// deliberately not a std::exception: the places that turn runtime errors into message boxes must
// not catch it.
#pragma once

#include <algorithm>
#include <cstdint>

#include "hardware/clock.h"
#include "hardware/port_io.h"
#include "platform/interrupt.h"

namespace corvane {

struct Interrupted {
  int signal_number;
};

// The points of the way out (Rig::Finish), in order. Nothing may cut it short: a request that
// arrives at any of them is only noted.
enum class WayOut {
  kStart,          // the command has ended or unwound
  kLinesSafeRead,  // the data register read, its safe value not yet written
  kLinesSafe,      // the lines left as Vpp_Off leaves them, the port released
  kStateWrite,     // the simulated chip's contents gathered, its state file not yet replaced
  kStateWritten,   // the state file replaced
  kTraceFlushed,   // the trace flushed: the run's exit status is all that is left
};

// Where a request to stop is read from: the process's signals, a test's own, or a user's Stop.
class InterruptSource {
 public:
  virtual ~InterruptSource() = default;
  // The signal number of the request, or 0 when there is none.
  virtual int Pending() = 0;
  // The way out has reached `point`. Nothing to do for a real source; a test's may deliver a
  // signal there.
  virtual void Passing(WayOut /*point*/) {}
};

// The requests noted by the process's signal or console handlers.
class SignalInterrupts final : public InterruptSource {
 public:
  int Pending() override { return platform::Interrupt_Signal(); }
};

// Throws Interrupted before any access once a request is pending.
class InterruptiblePort final : public PortIo {
 public:
  InterruptiblePort(PortIo& inner, InterruptSource& source) : inner_(inner), source_(source) {}
  std::uint8_t read(std::uint16_t address) override {
    Check();
    return inner_.read(address);
  }
  void write(std::uint16_t address, std::uint8_t value) override {
    Check();
    inner_.write(address, value);
  }

 private:
  void Check() {
    if (const int s = source_.Pending()) throw Interrupted{s};
  }
  PortIo& inner_;
  InterruptSource& source_;
};

// Throws Interrupted at the start of a wait, and during a long one every slice, once a request is
// pending: the longest protocol wait (1500 units at "Low Speed", 4.5 s) must not hold up a
// Ctrl+C. The calibration's counting loop is checked too.
class InterruptibleClock final : public Clock {
 public:
  static constexpr std::int64_t kSliceNs = 10'000'000;  // 10 ms

  InterruptibleClock(Clock& inner, InterruptSource& source) : inner_(inner), source_(source) {}
  std::int64_t now_ns() override { return inner_.now_ns(); }
  void wait_until(std::int64_t deadline_ns) override {
    Check();
    for (std::int64_t t = inner_.now_ns(); t < deadline_ns; t = inner_.now_ns()) {
      inner_.wait_until(std::min(deadline_ns, t + kSliceNs));
      if (inner_.now_ns() < deadline_ns) Check();
    }
  }
  void spin() override {
    Check();
    inner_.spin();
  }

 private:
  void Check() {
    if (const int s = source_.Pending()) throw Interrupted{s};
  }
  Clock& inner_;
  InterruptSource& source_;
};

}  // namespace corvane
