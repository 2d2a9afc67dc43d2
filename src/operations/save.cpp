#include "operations/save.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "image/hex_file.h"
#include "operations/chip_read.h"
#include "platform/files.h"
#include "protocol/block.h"
#include "chips/chip_table.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

namespace {

constexpr std::string_view kStandardOutput = "standard output";
constexpr std::string_view kInconsistent =
    "Save cancelled : the device did not answer consistently";

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

bool Save_Device(Context& ctx, const std::string& path, std::ostream* stream, ChipContents* read,
                 std::int32_t* device_id_read) {
  WorkingState& st = ctx.st;
  Panel& panel = ctx.panel;
  std::string error;
  // A file that cannot be made there must not cost a whole read of the chip first.
  if (stream == nullptr && !Check_Chip_Hex_Target(path, &error)) {
    panel.Message_Box("Error while writing file : " + path + ": " + error);
    return false;
  }
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
  const ChipSize size = Chips_In_Use(ctx.st).Size_For(device_id, panel.Device());
  if (Code_Protected(c.config, size, Chips_In_Use(ctx.st).Find_Id(device_id))) {
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
  if (device_id_again != device_id || again.user_ids != c.user_ids || again.config != c.config ||
      again.config2 != c.config2) {
    return cancel(std::string(kInconsistent));
  }
  panel.Set_Status("Status", "End of Reading ");
  const std::string config2 = c.config2 ? ", CONFIG2 0x" + Hex(*c.config2) : "";
  panel.Append_Text(std::to_string(size.program_words) + " words of program, 4 ID words, Fuses 0x" +
                    Hex(c.config) + config2 + ", " + std::to_string(size.eeprom_bytes) +
                    " Bytes of EEPROM Data\r\n");
  if (All_Erased(c)) panel.Append_Text("The device reads as erased (or the socket is empty)\r\n");
  if (read != nullptr) *read = c;
  if (device_id_read != nullptr) *device_id_read = device_id;
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
