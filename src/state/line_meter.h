// What a meter on the chip's socket reads, for the board test: on a real board the user measures;
// the simulated board can answer for itself.
#pragma once

namespace corvane {

struct SocketLevels {
  bool vpp = false;    // MCLR at the programming voltage
  bool vdd = false;    // the chip's supply present
  bool clock = false;  // RB6 high
  bool data = false;   // RB7 high
};

class LineMeter {
 public:
  virtual ~LineMeter() = default;
  virtual SocketLevels Measure() = 0;
};

}  // namespace corvane
