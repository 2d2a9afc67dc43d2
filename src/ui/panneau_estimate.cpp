// How long a command takes, found by rehearsing it: the same command, with the same file,
// settings and speed, on a simulated board holding a blank chip like the one identified, in
// virtual time. The rehearsal touches neither the real port nor this window's state.
#include <memory>
#include <sstream>

#include "chips/chip_table.h"
#include "hardware/clock.h"
#include "hardware/delay.h"
#include "operations/save.h"
#include "sim/board.h"
#include "sim/chip.h"
#include "ui/panneau.h"

namespace corvane {

namespace {

// Shows nothing and answers every dialog with a cancel.
class SilentView final : public WindowView {
 public:
  void Message_Box(std::string_view) override {}
  std::string Open_File_Dialog(std::string_view, std::string_view) override { return ""; }
};

// The simulated chip that stands for the one identified: the same part when the identification
// word names one, otherwise a part with the memory sizes the program would assume.
sim::ChipKind Stand_In_Chip(const WorkingState& st, std::int32_t device_id,
                            const std::string& device_box) {
  if (const auto kind = sim::Chip_Kind_With_Id(device_id)) return *kind;
  const int words = Chips_In_Use(st).Size_For(device_id, device_box).program_words;
  if (words <= 1024) return sim::ChipKind::Pic16F84A;
  return words <= 4096 ? sim::ChipKind::Pic16F873 : sim::ChipKind::Pic16F877;
}

// The commands whose length grows with the file or the chip; the others take seconds at most.
bool Has_Length_Worth_Telling(Ctl id) {
  switch (id) {
    case Ctl::Btn_Program_Device:
    case Ctl::Btn_Verify:
    case Ctl::Btn_Read_Device:
    case Ctl::Btn_Prog_EEPROM:
    case Ctl::Btn_Read_EEPROM:
    case Ctl::Menu_File_Save:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::int64_t Panneau::Rehearse(Ctl id, SpeedKind speed) {
  // A copy of the working state: the image, the port and board found, the identification.
  auto st = std::make_unique<WorkingState>(st_);
  st->Speed = speed;
  st->DelayUnit = Delay_Unit_For(speed == kLowSpeed ? kChecked : kUnchecked);
  VirtualClock clock;
  const sim::ChipKind kind = Stand_In_Chip(*st, st->DeviceId, Device());
  sim::Chip chip(kind, kind == sim::ChipKind::Pic16F84 ? -1 : (st->DeviceId & 0x1F));
  sim::Board board(static_cast<BoardKind>(st->BoardVariant), clock,
                   static_cast<std::uint16_t>(st->PortBase));
  board.insert(&chip);
  Lines lines(board, clock, *st);
  lines.Set_Fast_Table(lines_.fast_table());
  SilentView silent;
  Panneau stand_in(*st, lines, silent);
  stand_in.controls_ = controls_;
  stand_in.file_name_ = file_name_;
  // The lines at rest, as start-up leaves them between commands, for a while: the user's click
  // comes long after the last line change.
  if (st->BoardVariant == kTessel) {
    lines.Write_Data_Register(0x00);
  } else {
    lines.Vpp_Off();
    lines.Vdd_On();
  }
  clock.wait_for(1'000'000'000);
  const std::int64_t start = clock.now_ns();
  if (id == Ctl::Menu_File_Save) {
    std::ostringstream discarded;
    Save_Device(stand_in.ctx_, "", &discarded);
  } else {
    stand_in.Run_Device_Command(id);
  }
  return clock.now_ns() - start;
}

void Panneau::Offer_Fast(Ctl id, bool starting) {
  if (!view_.Wants_Speed_Hint(starting)) return;
  SpeedHint hint;
  hint.speed = st_.Speed;
  hint.starting = starting;
  if (st_.Speed != kFastSpeed && st_.PortBase != 0 && Has_Length_Worth_Telling(id)) {
    hint.slow_ns = Rehearse(id, st_.Speed);
    if (hint.worth_saying()) hint.fast_ns = Rehearse(id, kFastSpeed);
  }
  view_.Speed_Hint(hint);
}

}  // namespace corvane
