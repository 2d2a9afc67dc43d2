#include "operations/save.h"

#include "image/hex_file.h"
#include "protocol/block.h"
#include "protocol/device_table.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

namespace {

// Reads the user IDs (0x2000-0x2003), the identification word (0x2006) and the configuration
// word (0x2007) in one pass in programming mode.
void Read_Configuration_Area(Context& ctx, ChipContents& c, std::int32_t& device_id) {
  Lines& l = ctx.lines;
  l.Vpp_Off();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kSaveConfigBefore);
  l.Vpp_On();
  l.Wait(Pause::kSaveConfigEntered);
  Send_Command(l, kLoadConfiguration);
  Send_Data(l, 0x3FFF);
  for (int address = 0x2000; address <= 0x2007; ++address) {
    std::int32_t w = 0;
    if (address <= 0x2003 || address >= 0x2006) {
      Send_Command(l, kReadDataProgram);
      Read_Data(l, w);
      l.Wait(Pause::kSaveConfigRead);
    }
    if (address <= 0x2003) c.user_ids[address - 0x2000] = static_cast<std::uint16_t>(w);
    if (address == 0x2006) device_id = w;
    if (address == 0x2007) {
      c.config = static_cast<std::uint16_t>(w);
      break;
    }
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kSaveConfigIncrement);
  }
  l.Vpp_Off();
  l.Vdd_On();
  l.Wait(Pause::kSaveConfigEnd);
}

void Read_Eeprom_Bytes(Context& ctx, ChipContents& c, int bytes) {
  Lines& l = ctx.lines;
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Vpp_Off();
  l.Wait(Pause::kSaveEepromBefore);
  l.Vpp_On();
  l.Wait(Pause::kSaveEepromEntered);
  c.eeprom.assign(static_cast<std::size_t>(bytes), 0xFF);
  for (int i = 0; i < bytes; ++i) {
    std::int32_t w = 0;
    Send_Command(l, kReadDataEeprom);
    Read_Data(l, w);
    l.Wait(Pause::kSaveEepromRead);
    c.eeprom[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(w & 0xFF);
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kSaveEepromIncrement);
    ctx.panel.Set_Status("Status", "Reading EEPROM Data : " + Hex(w & 0xFF));
    ctx.panel.Progress(i + 1, bytes);
  }
  l.Vpp_Off();
  l.Vdd_On();
  l.Wait(Pause::kSaveEepromEnd);
}

// Whether any code-protection bit of the configuration word is on (0): the CP bits of the
// PIC16F84/84A, or CP1:CP0 and /CPD of the PIC16F87x.
bool Code_Protected(std::uint16_t config, const ChipSize& size) {
  if (size.program_words == 1024) return (config & 0x3FF0) != 0x3FF0;
  return (config & 0x3130) != 0x3130;
}

}  // namespace

bool Save_Device(Context& ctx, const std::string& path) {
  WorkingState& st = ctx.st;
  Panel& panel = ctx.panel;
  panel.Append_Text("Save of Device Content\r\n\r\n");
  panel.Sablier_On();
  panel.Set_Status("Status", "Reading Device");
  ChipContents c;
  std::int32_t device_id = 0;
  Read_Configuration_Area(ctx, c, device_id);
  const ChipSize size = Chip_Size_For(device_id, panel.Device());
  if (Code_Protected(c.config, size)) {
    // Protected memory reads as 0: the file would hold zeros where the program is, and loading it
    // back would even clear the protection bits and burn them.
    const std::string why =
        "Save cancelled : the device is code protected (Fuses 0x" + Hex(c.config) + ")";
    panel.Append_Text(why + "\r\n");
    panel.Sablier_Off();
    panel.Message_Box(why);
    return false;
  }
  Read_Block(ctx, size.program_words);
  c.program.assign(st.ReadBuffer.begin(), st.ReadBuffer.begin() + size.program_words);
  Read_Eeprom_Bytes(ctx, c, size.eeprom_bytes);
  panel.Set_Status("Status", "End of Reading ");
  panel.Append_Text(std::to_string(size.program_words) + " words of program, 4 ID words, Fuses 0x" +
                    Hex(c.config) + ", " + std::to_string(size.eeprom_bytes) +
                    " Bytes of EEPROM Data\r\n");
  std::string error;
  const bool written = Write_Chip_Hex(path, c, &error);
  if (written) {
    panel.Append_Text("Saved to " + path + "\r\n");
    panel.Set_Status("Status", "Device Saved");
  }
  panel.Sablier_Off();
  if (!written) panel.Message_Box("Error while writing file : " + error);
  return written;
}

}  // namespace corvane
