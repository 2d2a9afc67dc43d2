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

void Lines::Wait(Pause p) {
  const PauseRow& row = Pause_Row(p);
  if (st_.Speed != kFastSpeed) {
    Delay(static_cast<std::int64_t>(row.units) * st_.DelayUnit);
    return;
  }
  if (row.timing == Timing::kBoard) {
    Delay(static_cast<std::int64_t>(row.units) * kNormalDelayUnit);
    return;
  }
  const FastRow* fast = fast_.row(row.timing);
  if (fast == nullptr) return;
  std::int64_t anchor = last_change_ns_;
  if (fast->anchor == Anchor::kLastFall) anchor = last_fall_ns_;
  if (fast->anchor == Anchor::kLastDataChange) anchor = last_data_change_ns_;
  const FastChip chip = Fast_Chip_For(st_.DeviceId);
  clock_.wait_until(anchor + fast->datasheet_ns[chip] + fast->margin_ns[chip]);
}

void Lines::put(std::uint8_t value, int before) {
  const bool changes = before != value;
  if (changes && st_.Speed == kFastSpeed) {
    clock_.wait_until(last_change_ns_ + fast_.line_spacing_ns);
  }
  guard_.write(data_address(), value);
  written_ = value;
  if (!changes) return;
  const std::int64_t t = clock_.now_ns();
  last_change_ns_ = t;
  // An unknown earlier value counts as a change of every line.
  const int diff = before < 0 ? 0xFF : (before ^ value);
  if ((diff & kD1ClockLow) && (value & kD1ClockLow)) last_fall_ns_ = t;
  if (diff & kD0DataLow) last_data_change_ns_ = t;
}

void Lines::set_bits(std::uint8_t mask) {
  const std::uint8_t v = guard_.read(data_address());
  put(static_cast<std::uint8_t>(v | mask), v);
}

void Lines::clear_bits(std::uint8_t mask) {
  const std::uint8_t v = guard_.read(data_address());
  put(static_cast<std::uint8_t>(v & ~mask), v);
}

void Lines::Write_Data_Register(std::uint8_t value) {
  put(value, written_);
}

void Lines::Vdd_Off() {
  if (st_.BoardVariant == kTessel) return;
  clear_bits(kD2Vdd);
  Wait(Pause::kVddOff);
}

void Lines::Vdd_On() {
  if (st_.BoardVariant == kTessel) return;
  set_bits(kD2Vdd);
  Wait(Pause::kVddOn);
}

void Lines::Keep_Vpp_Off() {
  if (st_.Speed == kFastSpeed) clock_.wait_until(last_vpp_off_ns_ + fast_.vpp_off_ns);
}

void Lines::Vpp_On() {
  if (st_.BoardVariant == kTessel) {
    Reset_Pulse();
    Keep_Vpp_Off();
    Write_Data_Register(0x0B);
    Wait(Pause::kVppHold);
    return;
  }
  Keep_Vpp_Off();
  set_bits(kD0DataLow | kD1ClockLow);  // data low, clock low
  Wait(Pause::kVppSetup);
  clear_bits(kD3Vpp);  // Vpp applied
  Wait(Pause::kVppHold);
}

void Lines::Vpp_Off() {
  if (st_.BoardVariant == kTessel) {
    Reset_Pulse();
    last_vpp_off_ns_ = clock_.now_ns();
    return;
  }
  const std::uint8_t v = guard_.read(data_address());
  put(static_cast<std::uint8_t>(v | kD3Vpp), v);  // Vpp removed
  if ((v & kD3Vpp) == 0) last_vpp_off_ns_ = clock_.now_ns();
  Wait(Pause::kVppOff);
}

void Lines::Clock_Pulse() {
  Wait(Pause::kClockSetup);
  clear_bits(kD1ClockLow);  // clock high
  Wait(Pause::kClockHigh);
  set_bits(kD1ClockLow);  // clock low: the chip takes the bit on this edge
  Wait(Pause::kClockLow);
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
  Wait(Pause::kResetLow);
  Write_Data_Register(0x00);
}

void Lines::Probe_Port(std::uint16_t address) {
  written_ = -1;  // the probe writes the port directly
  const std::uint16_t status = static_cast<std::uint16_t>(address + 1);
  const std::uint8_t kept = guard_.read(address);
  guard_.write(address, 0x29);  // data line driven low
  Wait(Pause::kProbe);
  if ((guard_.read(status) & kStatusDataLow) == 0) {
    guard_.write(address, kept);
    return;
  }
  guard_.write(address, 0x2A);  // data line released
  Wait(Pause::kProbe);
  if ((guard_.read(status) & kStatusDataLow) == 0) {
    st_.PortBase = address;
    return;
  }
  guard_.write(address, kept);
}

void Lines::Detect_Board() {
  Write_Data_Register(0x10);
  Wait(Pause::kDetect);
  if ((guard_.read(status_address()) & kStatusLoopBack) == 0) return;
  Write_Data_Register(0x00);
  Wait(Pause::kDetect);
  if ((guard_.read(status_address()) & kStatusLoopBack) == 0) st_.BoardVariant = kTessel;
}

}  // namespace corvane
