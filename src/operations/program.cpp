#include "operations/program.h"

#include <string>

#include "image/hex_loader.h"
#include "operations/config_word.h"
#include "operations/eeprom.h"
#include "operations/fit.h"
#include "operations/identify.h"
#include "operations/user_ids.h"
#include "operations/write_check.h"
#include "protocol/block.h"
#include "protocol/family_rules.h"
#include "protocol/family_write.h"
#include "protocol/hex_text.h"

namespace corvane {

bool Program_Device(Context& ctx, bool* reload_failed) {
  WorkingState& st = ctx.st;
  Panel& panel = ctx.panel;
  if (reload_failed != nullptr) *reload_failed = false;
  if (panel.Check_auto() == kChecked) {
    panel.Append_Text("updating program \r\n\r\n");
    if (!Read_File(st, panel)) {
      if (reload_failed != nullptr) *reload_failed = true;
      // Programming on would burn an image that is not the file's.
      panel.Append_Text("Programming cancelled : the file could not be read\r\n");
      return false;
    }
  }
  // The fit below and every fast write time are taken for the chip now in the socket.
  Identify_Before_Fast_Writes(ctx);
  if (!Report_Write_Refusal(st, panel)) return false;
  if (!Report_Fit(panel, Program_Fit_Problem(st, panel.Device())) ||
      !Report_Fit(panel, Eeprom_Fit_Problem(st, panel.Device()))) {
    return false;
  }
  panel.Append_Text("Writing PROGRAM to Device \r\n\r\n");
  panel.Sablier_On();
  const ChipEntry* later = Later_Family_Chip(st);
  if (later != nullptr) {
    Family_Write_Program(ctx, *later, st.LastProgramAddress + 1, Has_User_Ids(st));
  } else {
    Write_Block(ctx, st.LastProgramAddress + 1);
  }
  panel.Append_Text(Word_Listing(st.ReadBuffer) + " ...\r\n");
  panel.Append_Text(std::to_string(st.LastProgramAddress + 1) + " lines of program written\r\n");
  if (st.EepromCount != 0) {
    panel.Append_Text("Writing EEPROM DATA to Device \r\n\r\n");
    panel.Sablier_On();
    Program_EEPROM(ctx);
    panel.Append_Text(Word_Listing(st.ReadBuffer) + " ...\r\n" + std::to_string(st.EepromCount) +
                      " Bytes written in EEPROM DATA\r\n");
    ctx.lines.Wait(Pause::kProgramAfterEeprom);
  }
  // The user IDs go with the configuration word: not onto a chip whose program already failed.
  if (later != nullptr) {
    // User IDs and configuration words in one entry, as the family writes them.
    if (st.WriteError == 0) {
      panel.Set_Status("Status", "Writing Configuration Fuses");
      Family_Write_Config(ctx, *later, Has_User_Ids(st) ? &st.UserIdImage : nullptr);
      if (st.WriteError == 0) panel.Set_Status("Status", "Fuses Written");
    }
    panel.Sablier_Off();
    return st.WriteError == 0;
  }
  if (st.WriteError == 0 && Has_User_Ids(st)) Program_User_Ids(ctx);
  const bool clean = st.WriteError == 0;
  if (clean) Program_Fuses(ctx);
  panel.Sablier_Off();
  return clean;
}

}  // namespace corvane
