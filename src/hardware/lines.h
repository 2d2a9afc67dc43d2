// The programmer's lines on the parallel port, for both board designs.
//
// Data register (PortBase): D0 set drives the data line low, D1 set holds the clock low,
// D2 set applies Vdd (Brannock), D3 clear applies Vpp (Brannock), D4 loops back to status
// bit 7 (Tessel), D5 is part of the Tessel reset byte. Status register (PortBase + 1):
// bit 6 set reads the data line as 0. Single-line changes are read-modify-writes of the data
// register; the Tessel operations write whole bytes. Every line change is followed by its wait,
// named in the pause table and as long as the working state's speed makes it.
#pragma once

#include <cstdint>

#include "hardware/clock.h"
#include "hardware/fast_timings.h"
#include "hardware/pauses.h"
#include "hardware/port_io.h"
#include "state/working_state.h"

namespace corvane {

class Lines {
 public:
  // Every access goes through a guard that refuses addresses other than the data and status
  // registers of 0x378 and 0x278.
  Lines(PortIo& io, Clock& clock, WorkingState& st) : guard_(io), clock_(clock), st_(st) {}

  Clock& clock() { return clock_; }
  WorkingState& state() { return st_; }

  // Waits n Delay steps (n x 100 us).
  void Delay(std::int64_t n);
  // The wait at a place of the protocol. Normal and low speed: its units, Delay(units x
  // DelayUnit). Fast: until its datasheet timing has passed since its anchor edge.
  void Wait(Pause p);

  // The fast speed's figures; tests shorten one to see the chip object.
  const FastTable& fast_table() const { return fast_; }
  void Set_Fast_Table(const FastTable& table) { fast_ = table; }

  void Vdd_Off();
  void Vdd_On();
  void Vpp_On();
  void Vpp_Off();
  void Clock_Pulse();
  void Set_Data_Line(int bit);
  int Read_Data_Line();
  void Reset_Pulse();

  // Looks for a board at the data register address; sets PortBase when one answers.
  void Probe_Port(std::uint16_t address);
  // Tells the Tessel board from the Brannock hardware on PortBase; may set BoardVariant.
  void Detect_Board();
  // A direct write of a whole byte to the data register at PortBase.
  void Write_Data_Register(std::uint8_t value);

  // Accesses refused by the address guard since construction.
  long refused_accesses() const { return guard_.refused(); }

 private:
  std::uint16_t data_address() const { return static_cast<std::uint16_t>(st_.PortBase); }
  std::uint16_t status_address() const { return static_cast<std::uint16_t>(st_.PortBase + 1); }
  void set_bits(std::uint8_t mask);
  void clear_bits(std::uint8_t mask);
  // Writes the data register, whose present value is `before` (-1: not known); at the fast speed
  // first waits out the lines' spacing after the previous change.
  void put(std::uint8_t value, int before);
  // At the fast speed, before Vpp is applied: waits until it has been off for the table's time.
  void Keep_Vpp_Off();

  GuardedPort guard_;
  Clock& clock_;
  WorkingState& st_;
  FastTable fast_ = kFastTable;
  // The last value written to the data register (-1: none yet) and the times of its last change,
  // its last falling clock edge and its last data-line change: the anchors of the fast waits.
  int written_ = -1;
  std::int64_t last_change_ns_ = kLongAgoNs;
  std::int64_t last_fall_ns_ = kLongAgoNs;
  std::int64_t last_data_change_ns_ = kLongAgoNs;
  std::int64_t last_vpp_off_ns_ = kLongAgoNs;  // when Vpp was last removed
  static constexpr std::int64_t kLongAgoNs = INT64_MIN / 4;
};

}  // namespace corvane
