#include "boards/board_lines.h"

namespace corvane {

const std::vector<PortBit>& Pins_Of(const BoardDescription& board, Line line) {
  switch (line) {
    case Line::kVpp:
      return board.vpp;
    case Line::kVdd:
      return board.vdd;
    case Line::kClock:
      return board.clock;
    default:
      return board.data_out;
  }
}

}  // namespace corvane
