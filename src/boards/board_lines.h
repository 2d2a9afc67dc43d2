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
bool Touches(const BoardDescription& board, PortRegister reg, std::span<const LineLevel> levels);
// The register's value with the lines' pins in it driven to their levels, other bits as they are.
std::uint8_t Driven(const BoardDescription& board, PortRegister reg, std::uint8_t value,
                    std::span<const LineLevel> levels);

// A line is active when every one of its pins is; a line without pins is not.
bool Line_Active(const BoardDescription& board, Line line, std::uint8_t data, std::uint8_t control);
// Vpp on MCLR as the registers drive it, before any rise time: on a board with the Tessel reset
// line, the reset held (D5 set) wins over Vpp.
bool Vpp_Driven(const BoardDescription& board, std::uint8_t data, std::uint8_t control);
// Vdd on the chip: always, on a board that does not switch it.
bool Vdd_Driven(const BoardDescription& board, std::uint8_t data, std::uint8_t control);

}  // namespace corvane
