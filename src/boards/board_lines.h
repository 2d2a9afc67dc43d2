// The programmer's output lines in a board's registers: which bits a change of lines touches, the
// register values that drive them, and the levels that register values put on the chip's pins.
// Shared by the host's line operations, the way out, the simulated board and the trace.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "state/board_description.h"

namespace corvane {

enum class Line { kVpp, kVdd, kClock, kDataOut };

struct LineLevel {
  Line line;
  bool active;  // Vpp or Vdd applied, clock or data high
};

inline constexpr std::uint8_t kResetHoldBit = 0x20;  // D5: the Tessel board's MCLR held low

const std::vector<PortBit>& Pins_Of(const BoardDescription& board, Line line);

// Whether any pin of the lines is a bit of the register.
inline bool Touches(const BoardDescription& board, PortRegister reg,
                    std::span<const LineLevel> levels) {
  const int r = static_cast<int>(reg);
  for (const LineLevel& l : levels) {
    const LineMasks& m = board.masks[static_cast<int>(l.line)];
    if ((m.active_set[r] | m.active_clear[r]) != 0) return true;
  }
  return false;
}

// The register's value with the lines' pins in it driven to their levels, other bits as they are.
inline std::uint8_t Driven(const BoardDescription& board, PortRegister reg, std::uint8_t value,
                           std::span<const LineLevel> levels) {
  const int r = static_cast<int>(reg);
  for (const LineLevel& l : levels) {
    const LineMasks& m = board.masks[static_cast<int>(l.line)];
    const std::uint8_t set = l.active ? m.active_set[r] : m.active_clear[r];
    const std::uint8_t clear = l.active ? m.active_clear[r] : m.active_set[r];
    value = static_cast<std::uint8_t>((value | set) & ~clear);
  }
  return value;
}

// A line is active when every one of its pins is; a line without pins is not.
inline bool Line_Active(const BoardDescription& board, Line line, std::uint8_t data,
                        std::uint8_t control) {
  const LineMasks& m = board.masks[static_cast<int>(line)];
  constexpr int d = static_cast<int>(PortRegister::kData);
  constexpr int c = static_cast<int>(PortRegister::kControl);
  if ((m.active_set[d] | m.active_clear[d] | m.active_set[c] | m.active_clear[c]) == 0) {
    return false;
  }
  return (data & m.active_set[d]) == m.active_set[d] && (data & m.active_clear[d]) == 0 &&
         (control & m.active_set[c]) == m.active_set[c] && (control & m.active_clear[c]) == 0;
}

// Vpp on MCLR as the registers drive it, before any rise time: on a board with the Tessel reset
// line, the reset held (D5 set) wins over Vpp.
inline bool Vpp_Driven(const BoardDescription& board, std::uint8_t data, std::uint8_t control) {
  if (board.has(kByteReset) && (data & kResetHoldBit) != 0) return false;
  return Line_Active(board, Line::kVpp, data, control);
}

// Vdd on the chip: always, on a board that does not switch it.
inline bool Vdd_Driven(const BoardDescription& board, std::uint8_t data, std::uint8_t control) {
  return !board.vdd_switched() || Line_Active(board, Line::kVdd, data, control);
}

}  // namespace corvane
