#include "sim/board.h"

#include "hardware/registers.h"
#include "sim/timing.h"

namespace corvane::sim {

namespace {
using namespace corvane::reg;
constexpr std::uint8_t kEmptyBus = 0xFF;
}  // namespace

Board::Board(BoardKind kind, Clock& clock, std::uint16_t base, std::int64_t vpp_rise_ns,
             std::int64_t vpp_fall_ns)
    : kind_(kind),
      clock_(clock),
      base_(base),
      vpp_rise_ns_(vpp_rise_ns),
      vpp_fall_ns_(vpp_fall_ns) {}

void Board::insert(Chip* chip) {
  const std::int64_t t = clock_.now_ns();
  settle();
  if (chip_ != nullptr) chip_->apply(t, Pins{});
  chip_ = chip;
  if (gone_) return;
  update(t);
}

void Board::set_stuck_data(std::optional<int> level) {
  if (level) level = *level != 0 ? 1 : 0;
  settle();
  stuck_ = level;
  if (!gone_) update(clock_.now_ns());
}

void Board::disconnect_after(long accesses) {
  if (gone_) return;
  remaining_ = accesses < 0 ? -1 : accesses;
}

bool Board::tessel_vpp_switched(std::uint8_t reg) const {
  return (reg & kD3Vpp) != 0 && (reg & kD5Reset) == 0;
}

Pins Board::host_pins() const {
  Pins p;
  p.clock = (reg_ & kD1ClockLow) == 0;
  p.data = stuck_ ? *stuck_ != 0 : (reg_ & kD0DataLow) == 0;
  if (kind_ == kTessel) {
    p.vdd = true;
    p.vpp = tessel_vpp_switched(reg_) && vpp_reached_;
    p.mclr_low = (reg_ & kD5Reset) != 0;
  } else {
    p.vdd = (reg_ & kD2Vdd) != 0;
    p.vpp = (reg_ & kD3Vpp) == 0;
    p.mclr_discharged = mclr_discharged_;
  }
  return p;
}

bool Board::data_line_high() const {
  if (gone_) return false;  // an empty port reads 0xFF: status bit 6 set
  if (stuck_) return *stuck_ != 0;
  if (chip_ != nullptr && chip_->drives_lines()) return true;
  const bool host_high = (reg_ & kD0DataLow) == 0;
  return host_high && (chip_ == nullptr || chip_->data_out());
}

void Board::update(std::int64_t t) {
  const Pins p = host_pins();
  if (chip_ != nullptr) chip_->apply(t, p);
  decoder_.observe(t, p.vpp, p.clock, data_line_high());
}

// Counts the access and brings the board up to its time; false once the board has gone.
bool Board::arrive(std::int64_t t) {
  if (gone_) return false;
  if (remaining_ == 0) {
    go_away(t);
    return false;
  }
  if (remaining_ > 0) --remaining_;
  catch_up(t);
  return true;
}

void Board::catch_up(std::int64_t t) {
  if (kind_ == kTessel && !vpp_reached_ && tessel_vpp_switched(reg_) && t >= vpp_at_) {
    vpp_reached_ = true;
    update(vpp_at_);
  }
}

void Board::settle() {
  if (!gone_) catch_up(clock_.now_ns());
}

void Board::go_away(std::int64_t t) {
  gone_ = true;
  if (chip_ != nullptr) chip_->apply(t, Pins{});
  decoder_.observe(t, false, false, true);
}

std::uint8_t Board::read(std::uint16_t address) {
  const std::int64_t t = clock_.now_ns();
  if (!arrive(t)) return kEmptyBus;
  if (address == base_) return reg_;
  if (address != base_ + 1) return kEmptyBus;
  if (chip_ != nullptr) chip_->host_samples(t);
  std::uint8_t status = data_line_high() ? 0 : kStatusDataLow;
  if (kind_ == kTessel && (reg_ & kD4LoopBack) != 0) status |= kStatusLoopBack;
  return status;
}

void Board::write(std::uint16_t address, std::uint8_t value) {
  const std::int64_t t = clock_.now_ns();
  if (!arrive(t) || address != base_) return;
  const bool was_switched = tessel_vpp_switched(reg_);
  const std::uint8_t before = reg_;
  reg_ = value;
  if (kind_ == kTessel) {
    const bool switched = tessel_vpp_switched(reg_);
    if (switched && !was_switched) vpp_at_ = t + vpp_rise_ns_;
    if (!switched) vpp_reached_ = false;
  } else if ((value ^ before) & kD3Vpp) {
    if (value & kD3Vpp) {
      vpp_removed_at_ = t;
    } else {
      mclr_discharged_ = t - vpp_removed_at_ >= vpp_fall_ns_;
    }
  }
  update(t);
}

}  // namespace corvane::sim
