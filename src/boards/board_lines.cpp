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

bool Touches(const BoardDescription& board, PortRegister reg, std::span<const LineLevel> levels) {
  for (const LineLevel& l : levels) {
    for (const PortBit& p : Pins_Of(board, l.line)) {
      if (p.reg == reg) return true;
    }
  }
  return false;
}

std::uint8_t Driven(const BoardDescription& board, PortRegister reg, std::uint8_t value,
                    std::span<const LineLevel> levels) {
  for (const LineLevel& l : levels) {
    for (const PortBit& p : Pins_Of(board, l.line)) {
      if (p.reg == reg) value = p.Driven(value, l.active);
    }
  }
  return value;
}

bool Line_Active(const BoardDescription& board, Line line, std::uint8_t data,
                 std::uint8_t control) {
  const std::vector<PortBit>& pins = Pins_Of(board, line);
  if (pins.empty()) return false;
  for (const PortBit& p : pins) {
    if (!p.Active_In(p.reg == PortRegister::kControl ? control : data)) return false;
  }
  return true;
}

bool Vpp_Driven(const BoardDescription& board, std::uint8_t data, std::uint8_t control) {
  if (board.has(kByteReset) && (data & kResetHoldBit) != 0) return false;
  return Line_Active(board, Line::kVpp, data, control);
}

bool Vdd_Driven(const BoardDescription& board, std::uint8_t data, std::uint8_t control) {
  return !board.vdd_switched() || Line_Active(board, Line::kVdd, data, control);
}

}  // namespace corvane
