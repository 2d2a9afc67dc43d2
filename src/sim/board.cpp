#include "sim/board.h"

#include "boards/board_lines.h"
#include "boards/builtin_boards.h"
#include "sim/timing.h"

namespace corvane::sim {

namespace {
constexpr std::uint8_t kEmptyBus = 0xFF;
}  // namespace

Board::Board(BoardKind kind, Clock& clock, std::uint16_t base, std::int64_t vpp_rise_ns,
             std::int64_t vpp_fall_ns)
    : Board(kind == kTessel ? Tessel_Board() : Brannock_Board(), clock, base, vpp_rise_ns,
            vpp_fall_ns) {}

Board::Board(std::shared_ptr<const BoardDescription> description, Clock& clock, std::uint16_t base,
             std::int64_t vpp_rise_ns, std::int64_t vpp_fall_ns)
    : board_(description ? std::move(description) : Brannock_Board()),
      kind_(Kind_Of(*board_)),
      clock_(clock),
      base_(base),
      vpp_rise_ns_(vpp_rise_ns),
      vpp_fall_ns_(vpp_fall_ns) {
  for (Line line : {Line::kVpp, Line::kVdd, Line::kClock, Line::kDataOut}) {
    for (const PortBit& p : Pins_Of(*board_, line)) {
      control_wired_ = control_wired_ || p.reg == PortRegister::kControl;
    }
  }
  if (board_->loop_out) control_wired_ |= board_->loop_out->reg == PortRegister::kControl;
  Drive_Levels();
}

void Board::Drive_Levels() {
  const BoardDescription& b = *board_;
  levels_.vpp = Vpp_Driven(b, reg_, control_);
  levels_.vdd = Vdd_Driven(b, reg_, control_);
  levels_.clock = Line_Active(b, Line::kClock, reg_, control_);
  levels_.data = Line_Active(b, Line::kDataOut, reg_, control_);
}

bool Board::serves(std::uint16_t address) const {
  return address == base_ || address == base_ + 1 || (control_wired_ && address == base_ + 2);
}

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

void Board::set_pgm(bool high) {
  settle();
  pgm_ = high;
  if (!gone_) update(clock_.now_ns());
}

void Board::disconnect_after(long accesses) {
  if (gone_) return;
  remaining_ = accesses < 0 ? -1 : accesses;
}

// The Tessel board's Vpp switch takes its time to bring MCLR up; the others switch at once.
bool Board::rises_slowly() const {
  return board_->has(kByteReset);
}

Pins Board::host_pins() const {
  Pins p;
  p.clock = levels_.clock;
  p.data = stuck_ ? *stuck_ != 0 : levels_.data;
  p.vdd = levels_.vdd;
  p.vpp = levels_.vpp && (!rises_slowly() || vpp_reached_);
  p.mclr_low = board_->has(kByteReset) && (reg_ & kResetHoldBit) != 0;
  p.pgm = pgm_;
  if (!rises_slowly()) p.mclr_discharged = mclr_discharged_;
  return p;
}

bool Board::data_line_high() const {
  if (gone_) return false;  // an empty port reads 0xFF: status bit 6 set
  if (stuck_) return *stuck_ != 0;
  if (chip_ != nullptr && chip_->drives_lines()) return true;
  return levels_.data && (chip_ == nullptr || chip_->data_out());
}

Pins Board::socket_pins() {
  settle();
  if (gone_) return Pins{};
  Pins p = host_pins();
  p.data = data_line_high();
  return p;
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
  if (rises_slowly() && !vpp_reached_ && vpp_switched() && t >= vpp_at_) {
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
  if (!serves(address)) return kEmptyBus;
  if (address == base_) return reg_;
  if (address == base_ + 2) return control_;
  if (chip_ != nullptr) chip_->host_samples(t);
  const BoardDescription& b = *board_;
  std::uint8_t status = b.data_in.Driven(0, data_line_high());
  if (b.loop_out && b.loop_in) {
    const std::uint8_t out = b.loop_out->reg == PortRegister::kControl ? control_ : reg_;
    status = b.loop_in->Driven(status, b.loop_out->Active_In(out));
  }
  return status;
}

void Board::write(std::uint16_t address, std::uint8_t value) {
  const std::int64_t t = clock_.now_ns();
  if (!arrive(t) || !serves(address) || address == base_ + 1) return;
  const bool was_switched = vpp_switched();
  (address == base_ ? reg_ : control_) = value;
  Drive_Levels();
  const bool switched = vpp_switched();
  if (rises_slowly()) {
    if (switched && !was_switched) vpp_at_ = t + vpp_rise_ns_;
    if (!switched) vpp_reached_ = false;
  } else if (was_switched && !switched) {
    vpp_removed_at_ = t;
  } else if (switched && !was_switched) {
    mclr_discharged_ = t - vpp_removed_at_ >= vpp_fall_ns_;
  }
  update(t);
}

}  // namespace corvane::sim
