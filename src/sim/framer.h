// Counts clocks into the words of the serial programming protocol, as the chip's shift logic does:
// a command is 6 clocks, least significant bit first, each bit taken on the falling edge; the
// commands that carry data (0, 2, 3 load; 4, 5 read) make the next 16 clocks their data phase
// whatever the host meant them to be. In a data phase clock 1 is the start bit, clocks 2..15 carry
// data bits 0..13 and clock 16 is the stop bit. Shared by the chip and the board's decoder, so both
// see the same framing.
#pragma once

namespace corvane::sim {

class Framer {
 public:
  enum Phase { kCommand, kLoad, kRead };
  enum Completed { kNothing, kCommandDone, kLoadDone, kReadDone };

  static bool Takes_Load(int code) { return code == 0 || code == 2 || code == 3; }
  static bool Takes_Read(int code) { return code == 4 || code == 5; }

  // Back to the start of a command (entering programming mode).
  void reset() {
    phase_ = kCommand;
    count_ = 0;
    shift_ = 0;
  }

  Phase phase() const { return phase_; }
  // Clocks already taken in the current command or data phase.
  int count() const { return count_; }
  // True when the next falling edge latches a bit the chip uses: every command bit, and the 14
  // data bits of a load (start and stop bits are don't-care).
  bool next_fall_latches() const {
    return phase_ == kCommand || (phase_ == kLoad && count_ >= 1 && count_ <= 14);
  }

  // A falling edge with the data line's level; tells what it completed. value() then holds the
  // command code or the 14-bit word.
  Completed fall(bool line_high);
  int value() const { return value_; }

 private:
  Phase phase_ = kCommand;
  int count_ = 0;
  int shift_ = 0;
  int value_ = 0;
};

}  // namespace corvane::sim
