// The programmer's lines on the parallel port, for both board designs.
//
// Data register (PortBase): D0 set drives the data line low, D1 set holds the clock low,
// D2 set applies Vdd (Brannock), D3 clear applies Vpp (Brannock), D4 loops back to status
// bit 7 (Tessel), D5 is part of the Tessel reset byte. Status register (PortBase + 1):
// bit 6 set reads the data line as 0. Single-line changes are read-modify-writes of the data
// register; the Tessel operations write whole bytes. Every line change is followed by its wait.
#pragma once

#include <cstdint>

#include "hardware/clock.h"
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
  // Waits k units: Delay(k x DelayUnit).
  void Wait(int units) { Delay(static_cast<std::int64_t>(units) * st_.DelayUnit); }

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

  GuardedPort guard_;
  Clock& clock_;
  WorkingState& st_;
};

}  // namespace corvane
