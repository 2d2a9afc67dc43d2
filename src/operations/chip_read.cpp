#include "operations/chip_read.h"

#include <algorithm>

#include "fuses/config_fields.h"
#include "protocol/block.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

void Read_Configuration_Area(Context& ctx, ChipContents& c, std::int32_t& device_id) {
  Lines& l = ctx.lines;
  l.Vpp_Off();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kSaveConfigBefore);
  l.Vpp_On();
  l.Wait(Pause::kSaveConfigEntered);
  Send_Command(l, kLoadConfiguration);
  Send_Data(l, 0x3FFF);
  c.config2.reset();
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
  // The second configuration word (0x2008) of a chip that has one, as the word at 0x2006 names it.
  if (Config_Word2_Mask(Config_Chip_Of(ctx.st, device_id, ctx.panel.Device())) != 0) {
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kSaveConfigIncrement);
    std::int32_t w = 0;
    Send_Command(l, kReadDataProgram);
    Read_Data(l, w);
    l.Wait(Pause::kSaveConfigRead);
    c.config2 = static_cast<std::uint16_t>(w);
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
    ctx.panel.Progress(i + 1, bytes, Memory::kEeprom);
  }
  l.Vpp_Off();
  l.Vdd_On();
  l.Wait(Pause::kSaveEepromEnd);
}

bool Code_Protected(std::uint16_t config, const ChipSize& size, const ChipEntry* chip) {
  if (chip != nullptr && chip->family != ChipFamily::kF84 && chip->family != ChipFamily::k84A87x) {
    for (const ConfigField& f : chip->fields) {
      if (f.address != 0x2007 || (f.name != "CP" && f.name != "CPD")) continue;
      for (const ConfigValue& v : f.values) {
        if (v.name == "OFF" && (config & f.mask) != v.bits) return true;
      }
    }
    return false;
  }
  if (size.program_words == 1024) return (config & 0x3FF0) != 0x3FF0;
  return (config & 0x3130) != 0x3130;
}

bool All_Zero(const ChipContents& c, std::int32_t device_id) {
  auto zero = [](auto v) { return v == 0; };
  return device_id == 0 && c.config == 0 && c.config2.value_or(0) == 0 &&
         std::all_of(c.user_ids.begin(), c.user_ids.end(), zero) &&
         std::all_of(c.program.begin(), c.program.end(), zero) &&
         std::all_of(c.eeprom.begin(), c.eeprom.end(), zero);
}

bool All_Erased(const ChipContents& c) {
  auto blank = [](std::uint16_t w) { return w == 0x3FFF; };
  return c.config == 0x3FFF && c.config2.value_or(0x3FFF) == 0x3FFF &&
         std::all_of(c.user_ids.begin(), c.user_ids.end(), blank) &&
         std::all_of(c.program.begin(), c.program.end(), blank) &&
         std::all_of(c.eeprom.begin(), c.eeprom.end(), [](std::uint8_t b) { return b == 0xFF; });
}

}  // namespace corvane
