#include "operations/program.h"

#include <string>

#include "hardware/delay.h"
#include "image/hex_loader.h"
#include "operations/config_word.h"
#include "operations/eeprom.h"
#include "operations/listing.h"
#include "protocol/block.h"
#include "protocol/device_table.h"

namespace corvane {

bool Program_Device(Context& ctx) {
  WorkingState& st = ctx.st;
  Panel& panel = ctx.panel;
  if (panel.Check_auto() == kChecked) {
    panel.Append_Text("updating program \r\n\r\n");
    if (!Read_File(st, panel)) {
      // Programming on would burn an image that is not the file's.
      panel.Append_Text("Programming cancelled : the file could not be read\r\n");
      return false;
    }
  }
  // Words past the end of the chip's memory would land on its first words (the address counter
  // wraps) and each would still read back right: the chip would hold a wrong program with no
  // error shown.
  const int words = st.LastProgramAddress + 1;
  const ChipSize size = Chip_Size_For(st.DeviceId, panel.Device());
  if (words > size.program_words) {
    const std::string why = "Programming cancelled : " + std::to_string(words) +
                            " words of program do not fit the " + panel.Device() + " (" +
                            std::to_string(size.program_words) + " words)";
    panel.Append_Text(why + "\r\n");
    panel.Message_Box(why);
    return false;
  }
  panel.Append_Text("Writing PROGRAM to Device \r\n\r\n");
  panel.Sablier_On();
  Write_Block(ctx, words);
  panel.Append_Text(Word_Listing(st.ReadBuffer) + " ...\r\n");
  panel.Append_Text(std::to_string(st.LastProgramAddress + 1) + " lines of program written\r\n");
  if (st.EepromCount != 0) {
    panel.Append_Text("Writing EEPROM DATA to Device \r\n\r\n");
    panel.Sablier_On();
    Program_EEPROM(ctx);
    panel.Append_Text(Word_Listing(st.ReadBuffer) + " ...\r\n" + std::to_string(st.EepromCount) +
                      " Bytes written in EEPROM DATA\r\n");
    ctx.lines.Delay(10 * st.DelayUnit);
  }
  const bool clean = st.WriteError == 0;
  if (clean) Program_Fuses(ctx);
  panel.Sablier_Off();
  return clean;
}

}  // namespace corvane
