#include "operations/save.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "image/hex_file.h"
#include "platform/files.h"
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

constexpr std::string_view kStandardOutput = "standard output";
constexpr std::string_view kInconsistent =
    "Save cancelled : the device did not answer consistently";

// Every word read is 0: the data line never rose, so nothing answered.
bool All_Zero(const ChipContents& c, std::int32_t device_id) {
  auto zero = [](auto v) { return v == 0; };
  return device_id == 0 && c.config == 0 &&
         std::all_of(c.user_ids.begin(), c.user_ids.end(), zero) &&
         std::all_of(c.program.begin(), c.program.end(), zero) &&
         std::all_of(c.eeprom.begin(), c.eeprom.end(), zero);
}

// Everything reads as erased cells: an erased chip, or an empty socket whose data line floats high.
bool All_Erased(const ChipContents& c) {
  auto blank = [](std::uint16_t w) { return w == 0x3FFF; };
  return c.config == 0x3FFF && std::all_of(c.user_ids.begin(), c.user_ids.end(), blank) &&
         std::all_of(c.program.begin(), c.program.end(), blank) &&
         std::all_of(c.eeprom.begin(), c.eeprom.end(), [](std::uint8_t b) { return b == 0xFF; });
}

bool Write_To_Stream(std::ostream& out, const ChipContents& c, std::string* error) {
  std::string text;
  if (!Format_Chip_Hex(c, &text, error)) return false;
  errno = 0;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  if (!out) {
    *error = errno != 0 ? std::strerror(errno) : "write error";
    return false;
  }
  return true;
}

}  // namespace

bool Save_Device(Context& ctx, const std::string& path, std::ostream* stream) {
  WorkingState& st = ctx.st;
  Panel& panel = ctx.panel;
  panel.Append_Text("Save of Device Content\r\n\r\n");
  panel.Sablier_On();
  panel.Set_Status("Status", "Reading Device");
  auto cancel = [&](const std::string& why) {
    panel.Append_Text(why + "\r\n");
    panel.Sablier_Off();
    panel.Message_Box(why);
    return false;
  };
  ChipContents c;
  std::int32_t device_id = 0;
  Read_Configuration_Area(ctx, c, device_id);
  // A board that does not answer reads as all zeros: that is no chip's configuration area.
  if (All_Zero(c, device_id)) return cancel(std::string(kInconsistent));
  const ChipSize size = Chip_Size_For(device_id, panel.Device());
  if (Code_Protected(c.config, size)) {
    // Protected memory reads as 0: the file would hold zeros where the program is, and loading it
    // back would even clear the protection bits and burn them.
    return cancel("Save cancelled : the device is code protected (Fuses 0x" + Hex(c.config) + ")");
  }
  Read_Block(ctx, size.program_words);
  c.program.assign(st.ReadBuffer.begin(), st.ReadBuffer.begin() + size.program_words);
  Read_Eeprom_Bytes(ctx, c, size.eeprom_bytes);
  // The same words once more: a board that went away or a chip that came loose half-way gives
  // other values now, and the memory read in between cannot be trusted.
  ChipContents again;
  std::int32_t device_id_again = 0;
  Read_Configuration_Area(ctx, again, device_id_again);
  if (device_id_again != device_id || again.user_ids != c.user_ids || again.config != c.config) {
    return cancel(std::string(kInconsistent));
  }
  panel.Set_Status("Status", "End of Reading ");
  panel.Append_Text(std::to_string(size.program_words) + " words of program, 4 ID words, Fuses 0x" +
                    Hex(c.config) + ", " + std::to_string(size.eeprom_bytes) +
                    " Bytes of EEPROM Data\r\n");
  if (All_Erased(c)) panel.Append_Text("The device reads as erased (or the socket is empty)\r\n");
  std::string error;
  const bool written =
      stream != nullptr ? Write_To_Stream(*stream, c, &error) : Write_Chip_Hex(path, c, &error);
  const std::string name = stream != nullptr ? std::string(kStandardOutput) : path;
  if (written) {
    panel.Append_Text("Saved to " + name + "\r\n");
    panel.Set_Status("Status", "Device Saved");
  }
  panel.Sablier_Off();
  if (!written)
    panel.Message_Box("Error while writing file : " + platform::File_Failure(name, error));
  return written;
}

}  // namespace corvane
