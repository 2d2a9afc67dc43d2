// The programmer's bits in the parallel port's registers, shared by the host's line operations,
// the simulated board and the trace that decodes them.
#pragma once

#include <cstdint>

namespace corvane::reg {

// Data register (PortBase).
inline constexpr std::uint8_t kD0DataLow = 0x01;   // set: data line driven low
inline constexpr std::uint8_t kD1ClockLow = 0x02;  // set: clock low
inline constexpr std::uint8_t kD2Vdd = 0x04;       // Brannock: set applies Vdd
inline constexpr std::uint8_t kD3Vpp = 0x08;       // Brannock: clear applies Vpp; Tessel: set
inline constexpr std::uint8_t kD4LoopBack = 0x10;  // Tessel: loops back to status bit 7
inline constexpr std::uint8_t kD5Reset = 0x20;     // Tessel: set holds MCLR low

// Status register (PortBase + 1).
inline constexpr std::uint8_t kStatusDataLow = 0x40;  // set: the data line reads 0
inline constexpr std::uint8_t kStatusLoopBack = 0x80;

}  // namespace corvane::reg
