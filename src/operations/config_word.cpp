#include "operations/config_word.h"

#include "fuses/config_fields.h"
#include "fuses/config_word.h"
#include "operations/identify.h"
#include "protocol/family_rules.h"
#include "protocol/family_write.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

void Program_Fuses(Context& ctx) {
  Lines& l = ctx.lines;
  ctx.panel.Set_Status("Status", "Writing Configuration Fuses");
  ctx.panel.Sablier_On();
  if (const ChipEntry* later = Later_Family_Chip(ctx.st)) {
    ctx.st.ConfigWord = ConfigNormalise(ctx.st.ConfigWord, ctx.panel.Device(), &Chips_In_Use(ctx.st));
    if (Family_Write_Config(ctx, *later, nullptr)) ctx.panel.Set_Status("Status", "Fuses Written");
    ctx.panel.Sablier_Off();
    return;
  }
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kProgFusesBefore);
  l.Vpp_On();
  l.Wait(Pause::kProgFusesEntered);
  const std::int32_t shown = ctx.st.DeviceId;
  DeviceIdRead(ctx, Pause::kNone, Pause::kFusesIdIncrement, Pause::kNone);
  Note_Chip_Change(ctx, shown);
  Send_Command(l, kIncrementAddress);  // 0x2007
  l.Wait(Pause::kProgFusesIncrement);
  ctx.st.ConfigWord = ConfigNormalise(ctx.st.ConfigWord, ctx.panel.Device(), &Chips_In_Use(ctx.st));
  Send_Command(l, kLoadDataProgram);
  Send_Data(l, ctx.st.ConfigWord);
  l.Wait(Pause::kProgFusesData);
  Send_Command(l, kBeginProgramming);
  l.Wait(Pause::kProgFusesCycle);
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "Fuses Written");
  ctx.panel.Sablier_Off();
  l.Wait(Pause::kProgFusesEnd);
}

void Check_Device_Fuses(Context& ctx) {
  Lines& l = ctx.lines;
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kCheckFusesBefore);
  l.Vpp_On();
  l.Wait(Pause::kCheckFusesEntered);
  DeviceIdRead(ctx, Pause::kCheckFusesIdLoad, Pause::kFusesIdIncrement, Pause::kCheckFusesIdRead);
  Send_Command(l, kIncrementAddress);  // 0x2007
  l.Wait(Pause::kCheckFusesIncrement);
  Send_Command(l, kReadDataProgram);
  Read_Data(l, ctx.st.DeviceConfigWord);
  // A chip with a second configuration word (CONFIG2 at 0x2008) gives it next; on any other chip
  // the command reads nothing more.
  const ChipEntry* chip = Config_Chip_Of(ctx.st, ctx.st.DeviceId, ctx.panel.Device());
  if (Config_Word2_Mask(chip) != 0) {
    Send_Command(l, kIncrementAddress);
    Send_Command(l, kReadDataProgram);
    Read_Data(l, ctx.st.DeviceConfigWord2);
  }
  ctx.st.ConfigWord = ConfigNormalise(ctx.st.ConfigWord, ctx.panel.Device(), &Chips_In_Use(ctx.st));
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "Device Fuses : 0x" + Hex(ctx.st.DeviceConfigWord) +
                                     Config_Word2_Suffix(chip, ctx.st.DeviceConfigWord2));
  l.Wait(Pause::kCheckFusesEnd);
}

}  // namespace corvane
