// The programmer's lines on the parallel port, driven as the board in use describes them
// (boards/builtin_boards.h, Board_In_Use): each line a register bit (data register at PortBase,
// control register at PortBase + 2, the data line read from the status register at PortBase + 1)
// with its sense. On the Brannock hardware, D0 set drives the data line low, D1 set holds the
// clock low, D2 set applies Vdd and D3 clear applies Vpp; status bit 6 set reads the data line
// as 0. Single-line changes are read-modify-writes of the register, one read and one write per
// register they touch; the steps a board names (the Tessel board's reset, the whole-byte probe
// and loop-back) write whole bytes. Every line change is followed by its wait, named in the pause
// table and as long as the working state's speed makes it.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "boards/board_lines.h"
#include "hardware/clock.h"
#include "hardware/fast_timings.h"
#include "hardware/pauses.h"
#include "hardware/port_io.h"
#include "state/working_state.h"

namespace corvane {

class Lines {
 public:
  // Every access goes through a guard that refuses addresses other than the data, status and
  // control registers of 0x378 and 0x278.
  Lines(PortIo& io, Clock& clock, WorkingState& st);

  Clock& clock() { return clock_; }
  WorkingState& state() { return st_; }

  // Waits n Delay steps (n x 100 us).
  void Delay(std::int64_t n);
  // The wait at a place of the protocol. Normal and low speed: its units, Delay(units x
  // DelayUnit). Fast: until its datasheet timing has passed since its anchor edge.
  void Wait(Pause p);

  // A write or erase cycle the chip table times: at normal and low speed the units of `p`; at
  // the fast speed `datasheet_ns` plus the minimum margin, from the falling edge that began it.
  void Wait_Cycle(Pause p, std::int64_t datasheet_ns);

  // The fast speed's figures; tests shorten one to see the chip object.
  const FastTable& fast_table() const { return fast_; }
  void Set_Fast_Table(const FastTable& table) { fast_ = table; }

  // The board the lines are driven by (boards/builtin_boards.h, Board_In_Use).
  const BoardDescription& board() const {
    if (st_.Board) return *st_.Board;
    return st_.BoardVariant == kTessel ? *tessel_ : *brannock_;
  }

  // Vdd_Off and Vdd_On do nothing on a board that does not switch Vdd.
  void Vdd_Off();
  void Vdd_On();
  void Vpp_On();
  void Vpp_Off();
  void Clock_Pulse();
  void Set_Data_Line(int bit);
  // The clock held high (1) or low (0), without a wait: for the board test.
  void Set_Clock_Line(int level);
  int Read_Data_Line();
  // The reset pulse by whole bytes (0x22, a wait, 0x00) on the boards of the original data-register
  // layout (those that name a whole-byte step); nothing on any other board, whose lines those
  // bytes would drive at random.
  void Reset_Pulse();

  // Looks for the board in use at the data register address: the data line must follow data out
  // through the board (the board's whole-byte probe, or the same from its description), and its
  // loop-back, when it has one, must follow too. Sets PortBase when it answers; otherwise puts
  // back what it changed.
  void Probe_Port(std::uint16_t address);
  // Tells the Tessel board from the Brannock hardware on PortBase by the Tessel board's loop-back;
  // may set BoardVariant. For discovery without a board chosen.
  void Detect_Board();
  // Whether the board's loop-back follows its output, both ways, on the port at `base` (true for
  // a board without one).
  bool Loop_Back_Follows(std::uint16_t base);
  // A direct write of a whole byte to the data register at PortBase.
  void Write_Data_Register(std::uint8_t value);

  // Accesses refused by the address guard since construction.
  long refused_accesses() const { return guard_.refused(); }

 private:
  std::uint16_t base() const { return static_cast<std::uint16_t>(st_.PortBase); }
  // Drives the lines to their levels: one read-modify-write per register their pins are in.
  void Drive(std::initializer_list<LineLevel> levels) { Drive_At(base(), levels); }
  void Drive_At(std::uint16_t base, std::initializer_list<LineLevel> levels);
  int Read_Data_At(std::uint16_t base);
  // What a probe changed, to put back when no board answers.
  struct Kept {
    std::uint8_t data = 0;
    int control = -1;  // -1: not touched
  };
  bool Byte_Probe(std::uint16_t address, Kept* kept);
  bool Line_Probe(std::uint16_t address, Kept* kept);
  void Put_Back(std::uint16_t address, const Kept& kept);
  // Writes a register of the port at `base`, whose present value is `before` (-1: not known); at
  // the fast speed first waits out the lines' spacing after the previous change. Notes when the
  // write removes Vpp.
  void put(std::uint16_t base, PortRegister reg, std::uint8_t value, int before);
  // Whether Vpp is on with the register holding `value` and the other as last written.
  bool Vpp_Driven_With(PortRegister reg, std::uint8_t value) const;
  // At the fast speed, before Vpp is applied: waits until it has been off for the table's time.
  void Keep_Vpp_Off();

  GuardedPort guard_;
  Clock& clock_;
  WorkingState& st_;
  // The built-in boards BoardVariant names, looked up once.
  const BoardDescription* brannock_;
  const BoardDescription* tessel_;
  FastTable fast_ = kFastTable;
  // The last values written to the data and control registers (-1: none yet) and the times of the
  // last line change, the last falling clock edge and the last data-line change: the anchors of
  // the fast waits.
  int written_[3] = {-1, -1, -1};
  std::int64_t last_change_ns_ = kLongAgoNs;
  std::int64_t last_fall_ns_ = kLongAgoNs;
  std::int64_t last_data_change_ns_ = kLongAgoNs;
  std::int64_t last_vpp_off_ns_ = kLongAgoNs;  // when Vpp was last removed
  static constexpr std::int64_t kLongAgoNs = INT64_MIN / 4;
};

}  // namespace corvane
