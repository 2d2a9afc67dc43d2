#include "hardware/lines.h"

#include "hardware/delay.h"
#include "hardware/registers.h"

namespace corvane {

namespace {
using reg::kD0DataLow;
using reg::kD1ClockLow;
using reg::kD2Vdd;
using reg::kD3Vpp;
using reg::kStatusDataLow;
using reg::kStatusLoopBack;
}  // namespace

void Lines::Delay(std::int64_t n) {
  corvane::Delay(clock_, n);
}

void Lines::set_bits(std::uint8_t mask) {
  const std::uint8_t v = guard_.read(data_address());
  guard_.write(data_address(), static_cast<std::uint8_t>(v | mask));
}

void Lines::clear_bits(std::uint8_t mask) {
  const std::uint8_t v = guard_.read(data_address());
  guard_.write(data_address(), static_cast<std::uint8_t>(v & ~mask));
}

void Lines::Write_Data_Register(std::uint8_t value) {
  guard_.write(data_address(), value);
}

void Lines::Vdd_Off() {
  if (st_.BoardVariant == kTessel) return;
  clear_bits(kD2Vdd);
  Wait(25);
}

void Lines::Vdd_On() {
  if (st_.BoardVariant == kTessel) return;
  set_bits(kD2Vdd);
  Wait(1);
}

void Lines::Vpp_On() {
  if (st_.BoardVariant == kTessel) {
    Reset_Pulse();
    Write_Data_Register(0x0B);
    Wait(250);
    return;
  }
  set_bits(kD0DataLow | kD1ClockLow);  // data low, clock low
  Wait(1);
  clear_bits(kD3Vpp);  // Vpp applied
  Wait(250);
}

void Lines::Vpp_Off() {
  if (st_.BoardVariant == kTessel) {
    Reset_Pulse();
    return;
  }
  set_bits(kD3Vpp);  // Vpp removed
  Wait(1);
}

void Lines::Clock_Pulse() {
  Wait(1);
  clear_bits(kD1ClockLow);  // clock high
  Wait(2);
  set_bits(kD1ClockLow);  // clock low: the chip takes the bit on this edge
  Wait(2);
}

void Lines::Set_Data_Line(int bit) {
  if (bit != 0) {
    clear_bits(kD0DataLow);  // released: the line is high
  } else {
    set_bits(kD0DataLow);  // driven low
  }
}

int Lines::Read_Data_Line() {
  return (guard_.read(status_address()) & kStatusDataLow) ? 0 : 1;
}

void Lines::Reset_Pulse() {
  Write_Data_Register(0x22);
  Wait(100);
  Write_Data_Register(0x00);
}

void Lines::Probe_Port(std::uint16_t address) {
  const std::uint16_t status = static_cast<std::uint16_t>(address + 1);
  const std::uint8_t kept = guard_.read(address);
  guard_.write(address, 0x29);  // data line driven low
  Wait(15);
  if ((guard_.read(status) & kStatusDataLow) == 0) {
    guard_.write(address, kept);
    return;
  }
  guard_.write(address, 0x2A);  // data line released
  Wait(15);
  if ((guard_.read(status) & kStatusDataLow) == 0) {
    st_.PortBase = address;
    return;
  }
  guard_.write(address, kept);
}

void Lines::Detect_Board() {
  Write_Data_Register(0x10);
  Wait(15);
  if ((guard_.read(status_address()) & kStatusLoopBack) == 0) return;
  Write_Data_Register(0x00);
  Wait(15);
  if ((guard_.read(status_address()) & kStatusLoopBack) == 0) st_.BoardVariant = kTessel;
}

}  // namespace corvane
