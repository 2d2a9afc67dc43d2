#include "operations/write_check.h"

#include "boards/builtin_boards.h"
#include "chips/chip_table.h"

namespace corvane {

std::string Write_Refusal(const WorkingState& st) {
  const ChipEntry* chip = Chips_In_Use(st).Find_Id(st.DeviceId);
  if (chip == nullptr) return "";  // shown as the 16F873, and written as one, as always
  if (chip->family == ChipFamily::kF84 || chip->family == ChipFamily::k84A87x) return "";
  const std::string family = " (" + std::string(Family_Text(chip->family)) + " family)";
  const BoardDescription& board = Board_In_Use(st);
  if (chip->family == ChipFamily::k62xA && !board.vpp_first) {
    return "Cancelled : the " + chip->shown + family +
           " enters programming mode with Vpp before Vdd, which the board " + board.Label() +
           " cannot give" + (board.vdd_switched() ? "" : ": it does not switch Vdd");
  }
  return "";
}

bool Report_Write_Refusal(const WorkingState& st, Panel& panel) {
  const std::string why = Write_Refusal(st);
  if (why.empty()) return true;
  panel.Append_Text(why + "\r\n");
  panel.Message_Box(why);
  return false;
}

}  // namespace corvane
