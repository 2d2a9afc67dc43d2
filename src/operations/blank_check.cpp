#include "operations/blank_check.h"

#include <cstdio>
#include <string>

#include "operations/chip_read.h"
#include "protocol/block.h"
#include "chips/chip_table.h"
#include "protocol/hex_text.h"

namespace corvane {

namespace {

constexpr int kListed = 11;  // addresses listed, as the log's other listings
constexpr std::uint16_t kErased = 0x3FFF;

std::string Address(int a) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(a));
  return text;
}

// The locations that do not hold their erased value, in address order: the first ones listed,
// all counted.
struct NotBlank {
  std::string listed;
  int count = 0;
  void Add(int address) {
    if (count++ < kListed) listed += " " + Address(address);
  }
};

NotBlank Find_Not_Blank(const ChipContents& c) {
  NotBlank n;
  for (std::size_t a = 0; a < c.program.size(); ++a) {
    if (c.program[a] != kErased) n.Add(static_cast<int>(a));
  }
  for (int i = 0; i < 4; ++i) {
    if (c.user_ids[i] != kErased) n.Add(0x2000 + i);
  }
  if (c.config != kErased) n.Add(0x2007);
  if (c.config2.value_or(kErased) != kErased) n.Add(0x2008);
  for (std::size_t i = 0; i < c.eeprom.size(); ++i) {
    if (c.eeprom[i] != 0xFF) n.Add(0x2100 + static_cast<int>(i));
  }
  return n;
}

}  // namespace

bool Blank_Check(Context& ctx, ChipContents* read, std::int32_t* device_id) {
  Panel& panel = ctx.panel;
  panel.Append_Text("Blank Check of Device Content\r\n\r\n");
  panel.Sablier_On();
  panel.Set_Status("Status", "Reading Device");
  ChipContents c;
  std::int32_t id = 0;
  Read_Configuration_Area(ctx, c, id);
  const ChipSize size = Chips_In_Use(ctx.st).Size_For(id, panel.Device());
  Read_Block(ctx, size.program_words);
  c.program.assign(ctx.st.ReadBuffer.begin(), ctx.st.ReadBuffer.begin() + size.program_words);
  Read_Eeprom_Bytes(ctx, c, size.eeprom_bytes);
  if (All_Zero(c, id)) {
    const std::string why = "Blank check cancelled : the device did not answer";
    panel.Append_Text(why + "\r\n");
    panel.Set_Status("Status", "End of Reading ");
    panel.Sablier_Off();
    panel.Message_Box(why);
    return false;
  }
  if (read != nullptr) *read = c;
  if (device_id != nullptr) *device_id = id;
  const NotBlank n = Find_Not_Blank(c);
  if (n.count == 0) {
    panel.Append_Text("Device is blank\r\n");
    // A PIC16F84 has no identification word: an empty socket reads the same.
    if (id == kErased) panel.Append_Text("(or the socket is empty: no identification word)\r\n");
    panel.Set_Status("Status", "Device is blank");
  } else {
    panel.Append_Text("Not blank at :" + n.listed + (n.count > kListed ? " ..." : "") + "\r\n");
    panel.Append_Text("Device is not blank : " + std::to_string(n.count) +
                      (n.count == 1 ? " location\r\n" : " locations\r\n"));
    panel.Set_Status("Status", "Device is not blank");
  }
  panel.Sablier_Off();
  return n.count == 0;
}

}  // namespace corvane
