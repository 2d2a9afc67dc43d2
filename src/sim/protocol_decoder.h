// Reads the host's side of the serial programming protocol off the programmer's lines: when
// programming mode is entered and left, and every command and data word, whether or not a chip
// answers. It frames clocks exactly as the chip does (sim/framer.h), so a host that sends a load
// without its data word shows up here as the chip would take it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/framer.h"

namespace corvane::sim {

struct ProtocolEvent {
  std::int64_t t_ns;
  // Command: its code; DataIn: the word sent; DataOut: the word on the line during a read phase.
  enum Kind { EnterProgramming, LeaveProgramming, Command, DataIn, DataOut } kind;
  int value;
};

class ProtocolDecoder {
 public:
  // The lines at t_ns: Vpp on MCLR, the clock, and the data line as every driver leaves it. Entry
  // needs Vpp to rise while clock and data are low; Vdd is not looked at, the decoder reads what
  // the host does.
  void observe(std::int64_t t_ns, bool vpp, bool clock_high, bool line_high);

  const std::vector<ProtocolEvent>& events() const { return events_; }
  // Events past kMaxEvents are only counted, so a long demo session cannot grow without bound.
  long dropped() const { return dropped_; }
  void clear() {
    events_.clear();
    dropped_ = 0;
  }

  static constexpr std::size_t kMaxEvents = std::size_t{1} << 20;

 private:
  void add(std::int64_t t, ProtocolEvent::Kind kind, int value);

  bool vpp_ = false;
  bool clock_ = false;
  bool line_ = true;
  bool programming_ = false;
  Framer framer_;
  std::vector<ProtocolEvent> events_;
  long dropped_ = 0;
};

}  // namespace corvane::sim
