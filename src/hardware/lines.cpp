#include "hardware/lines.h"

#include "boards/builtin_boards.h"
#include "hardware/delay.h"
#include "hardware/registers.h"

namespace corvane {

namespace {

using reg::kStatusDataLow;
using reg::kStatusLoopBack;

std::uint16_t Address(std::uint16_t base, PortRegister reg) {
  return static_cast<std::uint16_t>(base + static_cast<int>(reg));
}

// The whole-byte steps write the data register as the Brannock and Tessel boards lay it out.
constexpr unsigned kByteSteps = kByteProbe | kByteLoopBack | kByteReset;

bool Uses_Control(const BoardDescription& b) {
  for (Line line : {Line::kVpp, Line::kVdd, Line::kClock, Line::kDataOut}) {
    for (const PortBit& p : Pins_Of(b, line)) {
      if (p.reg == PortRegister::kControl) return true;
    }
  }
  return b.loop_out && b.loop_out->reg == PortRegister::kControl;
}

}  // namespace

Lines::Lines(PortIo& io, Clock& clock, WorkingState& st)
    : guard_(io),
      clock_(clock),
      st_(st),
      brannock_(Brannock_Board().get()),
      tessel_(Tessel_Board().get()) {}

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

void Lines::Wait_Cycle(Pause p, std::int64_t datasheet_ns) {
  if (st_.Speed != kFastSpeed) {
    Wait(p);
    return;
  }
  clock_.wait_until(last_fall_ns_ + datasheet_ns + datasheet_ns * kMinimumMarginPercent / 100);
}

void Lines::put(std::uint16_t base, PortRegister reg, std::uint8_t value, int before) {
  const bool changes = before != value;
  if (changes && st_.Speed == kFastSpeed) {
    clock_.wait_until(last_change_ns_ + fast_.line_spacing_ns);
  }
  guard_.write(Address(base, reg), value);
  written_[static_cast<int>(reg)] = value;
  if (!changes) return;
  const std::int64_t t = clock_.now_ns();
  last_change_ns_ = t;
  // An unknown earlier value counts as a change of every line.
  const int diff = before < 0 ? 0xFF : (before ^ value);
  const BoardDescription& b = board();
  if (!b.clock.empty()) {
    const PortBit& clock = b.clock.front();
    if (clock.reg == reg && (diff & clock.mask) && !clock.Active_In(value)) last_fall_ns_ = t;
  }
  if (!b.data_out.empty()) {
    const PortBit& data = b.data_out.front();
    if (data.reg == reg && (diff & data.mask)) last_data_change_ns_ = t;
  }
  if (before >= 0 && Vpp_Driven_With(reg, static_cast<std::uint8_t>(before)) &&
      !Vpp_Driven_With(reg, value)) {
    last_vpp_off_ns_ = t;
  }
}

bool Lines::Vpp_Driven_With(PortRegister reg, std::uint8_t value) const {
  std::uint8_t data = written_[0] < 0 ? 0 : static_cast<std::uint8_t>(written_[0]);
  std::uint8_t control = written_[2] < 0 ? 0 : static_cast<std::uint8_t>(written_[2]);
  (reg == PortRegister::kData ? data : control) = value;
  return Vpp_Driven(board(), data, control);
}

void Lines::Drive_At(std::uint16_t base, std::initializer_list<LineLevel> levels) {
  const BoardDescription& b = board();
  for (PortRegister reg : {PortRegister::kData, PortRegister::kControl}) {
    if (!Touches(b, reg, levels)) continue;
    const std::uint8_t before = guard_.read(Address(base, reg));
    put(base, reg, Driven(b, reg, before, levels), before);
  }
}

void Lines::Write_Data_Register(std::uint8_t value) {
  put(base(), PortRegister::kData, value, written_[0]);
}

void Lines::Vdd_Off() {
  if (!board().vdd_switched()) return;
  Drive({{Line::kVdd, false}});
  Wait(Pause::kVddOff);
}

void Lines::Vdd_On() {
  if (!board().vdd_switched()) return;
  Drive({{Line::kVdd, true}});
  Wait(Pause::kVddOn);
}

void Lines::Keep_Vpp_Off() {
  if (st_.Speed == kFastSpeed) clock_.wait_until(last_vpp_off_ns_ + fast_.vpp_off_ns);
}

void Lines::Vpp_On() {
  if (board().has(kByteReset)) {
    Reset_Pulse();
    Keep_Vpp_Off();
    Write_Data_Register(0x0B);  // data low, clock low, Vpp switched on
    Wait(Pause::kVppHold);
    return;
  }
  // A chip that enters with Vpp first: Vdd goes (with clock and data low) and comes back once
  // MCLR is at Vpp. A board that does not switch Vdd cannot; writes are refused there beforehand.
  const bool vpp_first = st_.VppFirst && board().vpp_first;
  Keep_Vpp_Off();
  if (vpp_first) {
    Drive({{Line::kVdd, false}, {Line::kDataOut, false}, {Line::kClock, false}});
    Wait(Pause::kVddOff);
  } else {
    Drive({{Line::kDataOut, false}, {Line::kClock, false}});
  }
  Wait(Pause::kVppSetup);
  Drive({{Line::kVpp, true}});
  if (vpp_first) {
    Wait(Pause::kVppBeforeVdd);
    Drive({{Line::kVdd, true}});
  }
  Wait(Pause::kVppHold);
}

void Lines::Vpp_Off() {
  if (board().has(kByteReset)) {
    Reset_Pulse();
    last_vpp_off_ns_ = clock_.now_ns();
    return;
  }
  Drive({{Line::kVpp, false}});
  Wait(Pause::kVppOff);
}

void Lines::Clock_Pulse() {
  Wait(Pause::kClockSetup);
  Drive({{Line::kClock, true}});
  Wait(Pause::kClockHigh);
  Drive({{Line::kClock, false}});  // the chip takes the bit on this edge
  Wait(Pause::kClockLow);
}

void Lines::Set_Data_Line(int bit) {
  Drive({{Line::kDataOut, bit != 0}});  // 1: released, the line is high; 0: driven low
}

void Lines::Set_Clock_Line(int level) {
  Drive({{Line::kClock, level != 0}});
}

int Lines::Read_Data_At(std::uint16_t base) {
  const PortBit& in = board().data_in;
  return in.Active_In(guard_.read(Address(base, in.reg))) ? 1 : 0;
}

int Lines::Read_Data_Line() {
  return Read_Data_At(base());
}

void Lines::Reset_Pulse() {
  if ((board().steps & kByteSteps) == 0) return;
  Write_Data_Register(0x22);
  Wait(Pause::kResetLow);
  Write_Data_Register(0x00);
}

void Lines::Put_Back(std::uint16_t address, const Kept& kept) {
  written_[0] = written_[2] = -1;  // written directly
  guard_.write(address, kept.data);
  if (kept.control >= 0) {
    guard_.write(Address(address, PortRegister::kControl), static_cast<std::uint8_t>(kept.control));
  }
}

bool Lines::Byte_Probe(std::uint16_t address, Kept* kept) {
  const std::uint16_t status = static_cast<std::uint16_t>(address + 1);
  kept->data = guard_.read(address);
  guard_.write(address, 0x29);  // data line driven low
  Wait(Pause::kProbe);
  if ((guard_.read(status) & kStatusDataLow) == 0) {
    Put_Back(address, *kept);
    return false;
  }
  guard_.write(address, 0x2A);  // data line released
  Wait(Pause::kProbe);
  if ((guard_.read(status) & kStatusDataLow) == 0) return true;
  Put_Back(address, *kept);
  return false;
}

bool Lines::Line_Probe(std::uint16_t address, Kept* kept) {
  kept->data = guard_.read(address);
  if (Uses_Control(board())) kept->control = guard_.read(Address(address, PortRegister::kControl));
  // The data line driven low, the clock high, the chip's supplies off.
  Drive_At(
      address,
      {{Line::kVpp, false}, {Line::kVdd, false}, {Line::kClock, true}, {Line::kDataOut, false}});
  Wait(Pause::kProbe);
  if (Read_Data_At(address) != 0) {
    Put_Back(address, *kept);
    return false;
  }
  Drive_At(address, {{Line::kClock, false}, {Line::kDataOut, true}});  // data line released
  Wait(Pause::kProbe);
  if (Read_Data_At(address) == 1) return true;
  Put_Back(address, *kept);
  return false;
}

void Lines::Probe_Port(std::uint16_t address) {
  // The probe writes the port directly: what the registers hold is not known any more.
  written_[0] = written_[2] = -1;
  const BoardDescription& b = board();
  Kept kept;
  const bool answered = b.has(kByteProbe) ? Byte_Probe(address, &kept) : Line_Probe(address, &kept);
  if (!answered) return;
  if (!Loop_Back_Follows(address)) {
    Put_Back(address, kept);
    return;
  }
  st_.PortBase = address;
}

bool Lines::Loop_Back_Follows(std::uint16_t base) {
  const BoardDescription& b = board();
  if (!b.loop_out || !b.loop_in) return true;
  const PortBit& out = *b.loop_out;
  const PortBit& in = *b.loop_in;
  auto drive = [&](bool active) {
    if (b.has(kByteLoopBack)) {
      put(base, out.reg, out.Driven(0, active), written_[static_cast<int>(out.reg)]);
    } else {
      const std::uint8_t before = guard_.read(Address(base, out.reg));
      put(base, out.reg, out.Driven(before, active), before);
    }
  };
  auto follows = [&](bool active) {
    return in.Active_In(guard_.read(Address(base, in.reg))) == active;
  };
  drive(true);
  Wait(Pause::kDetect);
  if (!follows(true)) return false;
  drive(false);
  Wait(Pause::kDetect);
  return follows(false);
}

void Lines::Detect_Board() {
  Write_Data_Register(0x10);
  Wait(Pause::kDetect);
  const auto status = static_cast<std::uint16_t>(base() + 1);
  if ((guard_.read(status) & kStatusLoopBack) == 0) return;
  Write_Data_Register(0x00);
  Wait(Pause::kDetect);
  if ((guard_.read(status) & kStatusLoopBack) == 0) st_.BoardVariant = kTessel;
}

}  // namespace corvane
