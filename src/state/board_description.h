// A programmer board as data: which parallel-port register bit carries each of the programmer's
// lines and in which sense, what the board can do, and which of the steps written in code (what a
// table cannot say) it takes. The boards' text format (boards/board_file.h) fills it in; the
// programmer's lines, the simulated board, the trace and the board test all read it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The parallel port's registers, by their offset from the port's base address.
enum class PortRegister : std::uint8_t { kData = 0, kStatus = 1, kControl = 2 };

// One register bit carrying a line. A line is "active" when Vpp or Vdd is applied, when the clock
// or the data line is high, when the data line reads 1 and when a loop-back is driven; active_low
// says that it is active while the register bit is clear. The port's own inverted pins (BUSY,
// STROBE, AUTOFD, SELECT-IN) are already folded into active_low.
struct PortBit {
  PortRegister reg = PortRegister::kData;
  std::uint8_t mask = 0;
  bool active_low = false;
  int pin = 0;       // the DB-25 connector's pin number
  std::string text;  // as the description wrote it ("~D3")

  bool Active_In(std::uint8_t value) const { return ((value & mask) != 0) != active_low; }
  std::uint8_t Driven(std::uint8_t value, bool active) const {
    return active != active_low ? static_cast<std::uint8_t>(value | mask)
                                : static_cast<std::uint8_t>(value & ~mask);
  }
};

// Steps written in code that a description may name, where a table of pins cannot say it.
enum BoardStep : unsigned {
  // Port discovery's probe by whole bytes: 0x29 (data low), then 0x2A (data released), the
  // Brannock and Tessel boards' own.
  kByteProbe = 1u << 0,
  // The loop-back check by whole bytes: the loop-back bit alone, then 0x00 (the Tessel board).
  kByteLoopBack = 1u << 1,
  // The Tessel board's reset by whole bytes: 0x22, a wait, 0x00. Vpp is applied after it by
  // 0x0B and removed by it; the register rests at 0x00; "RESET PIC" pulses it.
  kByteReset = 1u << 2,
};

// Every pin of one output line in each register: the bits set while the line is active, and those
// clear then. Worked out from the pins when the description is read, for the lines' hot path.
struct LineMasks {
  std::uint8_t active_set[3] = {};  // by PortRegister
  std::uint8_t active_clear[3] = {};
};

struct BoardDescription {
  std::string name;    // as --board ...:board=NAME gives it, lower case
  std::string title;   // for people ("Tait-style classic")
  std::string origin;  // "built-in", or the file it was read from
  int line = 0;        // of its "[name]" in that file

  // Outputs: every pin of a line is driven together; an empty vdd is a supply the board does not
  // switch (the chip is powered whenever the board is).
  std::vector<PortBit> vpp;
  std::vector<PortBit> vdd;
  std::vector<PortBit> clock;
  std::vector<PortBit> data_out;
  PortBit data_in;
  // An optional loop-back that tells the board from others: loop_in follows loop_out.
  std::optional<PortBit> loop_out;
  std::optional<PortBit> loop_in;

  // The lines left at exit: Vpp always removed; the others as the board says, or as they were.
  std::optional<bool> idle_vdd;
  std::optional<bool> idle_clock;
  std::optional<bool> idle_data;

  // Whether the board can apply Vpp before Vdd (some chips enter programming mode only so).
  bool vpp_first = false;
  unsigned steps = 0;  // BoardStep bits
  // The output lines' pins as masks, in the order vpp, vdd, clock, data_out (Compile_Masks).
  LineMasks masks[4];

  bool vdd_switched() const { return !vdd.empty(); }
  bool has(BoardStep step) const { return (steps & step) != 0; }
  // The name and, when there is one, the title: "tait (Tait-style classic)".
  std::string Label() const { return title.empty() ? name : name + " (" + title + ")"; }
  // Works the masks out from the pins.
  void Compile_Masks() {
    const std::vector<PortBit>* lines[4] = {&vpp, &vdd, &clock, &data_out};
    for (int i = 0; i < 4; ++i) {
      masks[i] = LineMasks{};
      for (const PortBit& p : *lines[i]) {
        const int r = static_cast<int>(p.reg);
        (p.active_low ? masks[i].active_clear[r] : masks[i].active_set[r]) |= p.mask;
      }
    }
  }
};

}  // namespace corvane
