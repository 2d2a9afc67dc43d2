// The simulated board measuring its own socket for the board test.
#pragma once

#include "sim/board.h"
#include "state/line_meter.h"

namespace corvane::sim {

class BoardMeter final : public LineMeter {
 public:
  explicit BoardMeter(Board& board) : board_(board) {}
  SocketLevels Measure() override {
    const Pins p = board_.socket_pins();
    return {p.vpp, p.vdd, p.clock, p.data};
  }

 private:
  Board& board_;
};

}  // namespace corvane::sim
