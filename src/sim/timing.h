// The datasheet timings the simulated chip checks, in nanoseconds of the injected clock. Where the
// programming specifications of the PIC16F84/84A and PIC16F87x (and the programmers built on them)
// give different figures, the conservative one is used: the longest cycle, the longest hold.
#pragma once

#include <cstdint>

namespace corvane::sim {

// Data setup before and hold after the falling clock edge that latches a bit (Tset1, Thld1).
inline constexpr std::int64_t kTset1Ns = 100;
inline constexpr std::int64_t kThld1Ns = 100;
// From the last falling edge of a command to the first rising edge of its data phase (Tdly1).
inline constexpr std::int64_t kTdly1Ns = 1'000;
// From the last falling edge of a command or data word to the first rising edge of the next
// command (Tdly2).
inline constexpr std::int64_t kTdly2Ns = 1'000;
// From a rising clock edge to valid read data on the line (Tdly3): a host that samples sooner
// reads a bit that is not there yet.
inline constexpr std::int64_t kTdly3Ns = 80;
// Clock and data held low before MCLR reaches Vpp, and after it before the first clock (Thld0,
// Tppdp).
inline constexpr std::int64_t kThld0Ns = 5'000;
// Vpp may come before Vdd: the chip still enters programming mode when Vdd follows within this.
inline constexpr std::int64_t kVddAfterVppNs = 5'000;
// The Tessel board's Vpp switch: MCLR reaches the programming voltage this long after D3 is set.
// The board drops clock and data in the same write, so the rise is the chip's Thld0; it is given a
// margin over Thld0 rather than meeting it only on a tie.
inline constexpr std::int64_t kTesselVppRiseMarginNs = 5'000;
inline constexpr std::int64_t kTesselVppRiseNs = kThld0Ns + kTesselVppRiseMarginNs;

// The Brannock board's MCLR discharge: after D3 removes Vpp, MCLR takes this long to fall below the
// chip's reset level. Vpp applied again sooner finds the chip still in programming mode, its
// address counter where it was. A slow board, on purpose: a host must not count on a fast one.
inline constexpr std::int64_t kBrannockVppFallNs = 1'000'000;

// Internally timed erase/write cycles.
inline constexpr std::int64_t kProgramWordNs16F84 = 20'000'000;  // 10 ms typical, 20 ms safe
inline constexpr std::int64_t kProgramWordNs = 8'000'000;        // 16F84A, 16F87x: 4 + 4 ms
inline constexpr std::int64_t kEepromWriteNs16F84 = 20'000'000;  // 10 ms typical, 20 ms max
inline constexpr std::int64_t kEepromWriteNs = 8'000'000;        // 16F84A, 16F87x: 8 ms max
inline constexpr std::int64_t kBulkEraseNs = 20'000'000;         // bulk and chip erase

// The 87xA: erase and write of a row, of a data byte, bulk and chip erase all take at most 8 ms
// (tprog2, tprog3); Begin Programming Only needs at least 1 ms before End Programming (tprog1).
inline constexpr std::int64_t kRowWriteNs87xA = 8'000'000;
inline constexpr std::int64_t kEepromWriteNs87xA = 8'000'000;
inline constexpr std::int64_t kEraseNs87xA = 8'000'000;
inline constexpr std::int64_t kProgramOnlyNs87xA = 1'000'000;
// The 62xA: a program or configuration word at most 4 ms (TPROG), a data byte 6 ms (TDPROG), a bulk
// erase 6 ms (TERA), all internally timed.
inline constexpr std::int64_t kProgramWordNs62xA = 4'000'000;
inline constexpr std::int64_t kEepromWriteNs62xA = 6'000'000;
inline constexpr std::int64_t kBulkEraseNs62xA = 6'000'000;
// The 87/88 and 818/819 at 4.5-5.5 V: Begin Programming Only and Begin Erase at least 1 ms
// (tprog1, tprog2) and bulk erases at least 2 ms (tprog3) before End Programming; the chip erase
// takes at most 8 ms (tprog4), internally timed.
inline constexpr std::int64_t kProgramOnlyNs88 = 1'000'000;
inline constexpr std::int64_t kRowEraseNs88 = 1'000'000;
inline constexpr std::int64_t kBulkEraseNs88 = 2'000'000;
inline constexpr std::int64_t kChipEraseNs88 = 8'000'000;
// The 87/88: MCLR at Vpp within tpu of Vdd rising, before a program can run from the internal
// oscillator.
inline constexpr std::int64_t kTpuNs88 = 250'000;

}  // namespace corvane::sim
