#include "operations/eeprom.h"

#include <algorithm>
#include <string>

#include "protocol/family_rules.h"
#include "protocol/family_write.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

namespace {
std::string Two_Digits(std::int32_t v) {
  std::string h = Hex(v);
  return h.size() < 2 ? "0" + h : h;
}
}  // namespace

void Program_EEPROM(Context& ctx) {
  if (const ChipEntry* later = Later_Family_Chip(ctx.st)) {
    Family_Write_Eeprom(ctx, *later);
    return;
  }
  Lines& l = ctx.lines;
  WorkingState& st = ctx.st;
  ctx.panel.Set_Status("Status", "Writing EEPROM Data");
  ctx.panel.Sablier_On();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kProgEepromBefore);
  l.Vpp_On();
  l.Wait(Pause::kProgEepromEntered);
  // A Load Data for data memory without its word: the chip takes the next sixteen clocks as its
  // data phase and is back in step after the first read below.
  Send_Command(l, kLoadDataEeprom);
  const int count = st.EepromCount < 0 ? 0 : std::min(st.EepromCount, kEepromLast + 1);
  for (int i = 0; i < count; ++i) {
    Send_Command(l, kReadDataEeprom);
    Read_Data(l, st.ReadBuffer[i]);
    l.Wait(Pause::kProgEepromRead);
    if (st.ReadBuffer[i] != st.EepromImage[i]) {
      Send_Command(l, kLoadDataEeprom);
      l.Wait(Pause::kProgEepromLoad);
      Send_Data(l, st.EepromImage[i]);
      l.Wait(Pause::kProgEepromData);
      Send_Command(l, kBeginProgramming);
      l.Wait(Pause::kProgEepromCycle);
      Send_Command(l, kReadDataEeprom);
      Read_Data(l, st.ReadBuffer[i]);
      st.ReadBuffer[i] &= 0xFF;
      if (st.ReadBuffer[i] != st.EepromImage[i]) {
        ctx.panel.Message_Box("EEPROM Error at @ : " + Hex(i) + " Read :" + Hex(st.ReadBuffer[i]) +
                              " instead of :" + Hex(st.EepromImage[i]));
        st.WriteError = 1;
      }
    }
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kProgEepromIncrement);
    ctx.panel.Progress(i + 1, count, Memory::kEeprom);
  }
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "EEPROM Data Written");
  ctx.panel.Sablier_Off();
  l.Wait(Pause::kProgEepromEnd);
}

void Read_EEPROM(Context& ctx) {
  Lines& l = ctx.lines;
  WorkingState& st = ctx.st;
  ctx.panel.Set_Status("Status", "Reading EEPROM Data");
  ctx.panel.Sablier_On();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kReadEepromBefore);
  l.Vpp_On();
  l.Wait(Pause::kReadEepromEntered);
  Send_Command(l, kLoadDataEeprom);  // without its word, as above
  l.Wait(Pause::kReadEepromLoad);
  Send_Command(l, kReadDataEeprom);
  Read_Data(l, st.ReadBuffer[0]);
  l.Wait(Pause::kReadEepromFirstRead);
  for (int i = 0; i < 64; ++i) {
    Send_Command(l, kReadDataEeprom);
    Read_Data(l, st.ReadBuffer[i]);
    st.ReadBuffer[i] &= 0xFF;
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kReadEepromIncrement);
    ctx.panel.Progress(i + 1, 64, Memory::kEeprom);
  }
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "EEPROM Data Read");
  ctx.panel.Sablier_Off();
  l.Wait(Pause::kReadEepromEnd);
  ctx.panel.Append_Text(" EEPROM DATA content :\r\n");
  std::string listing;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 16; ++c) listing += " " + Two_Digits(st.ReadBuffer[16 * r + c]);
    listing += "\r\n";
  }
  ctx.panel.Append_Text(listing + " ...\r\n");
}

void Erase_EEPROM(Context& ctx) {
  if (const ChipEntry* later = Later_Family_Chip(ctx.st)) {
    Family_Erase_Eeprom(ctx, *later);
    return;
  }
  Lines& l = ctx.lines;
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Vpp_Off();
  l.Wait(Pause::kEraseEepromBefore);
  l.Vpp_On();
  l.Wait(Pause::kEraseEepromEntered);
  ctx.panel.Set_Status("Status", "Erasing EEPROM");
  Send_Command(l, kLoadDataEeprom);
  Send_Data(l, 0x3FFF);
  l.Wait(Pause::kEraseEepromData);
  Send_Command(l, kBulkEraseData);
  Erase_Cycle(l);
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "EEPROM Erased");
  l.Wait(Pause::kEraseEepromEnd);
}

}  // namespace corvane
