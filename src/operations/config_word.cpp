#include "operations/config_word.h"

#include "fuses/config_word.h"
#include "operations/identify.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

void Program_Fuses(Context& ctx) {
  Lines& l = ctx.lines;
  ctx.panel.Set_Status("Status", "Writing Configuration Fuses");
  ctx.panel.Sablier_On();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(10);
  l.Vpp_On();
  l.Wait(10);
  DeviceIdRead(ctx, 0, 5, 0);
  Send_Command(l, kIncrementAddress);  // 0x2007
  l.Wait(10);
  ctx.st.ConfigWord = ConfigNormalise(ctx.st.ConfigWord, ctx.panel.Device());
  Send_Command(l, kLoadDataProgram);
  Send_Data(l, ctx.st.ConfigWord);
  l.Wait(10);
  Send_Command(l, kBeginProgramming);
  l.Wait(1000);
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "Fuses Written");
  ctx.panel.Sablier_Off();
  l.Wait(100);
}

void Check_Device_Fuses(Context& ctx) {
  Lines& l = ctx.lines;
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(50);
  l.Vpp_On();
  l.Wait(50);
  DeviceIdRead(ctx, 5, 5, 50);
  Send_Command(l, kIncrementAddress);  // 0x2007
  l.Wait(50);
  Send_Command(l, kReadDataProgram);
  Read_Data(l, ctx.st.DeviceConfigWord);
  ctx.st.ConfigWord = ConfigNormalise(ctx.st.ConfigWord, ctx.panel.Device());
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "Device Fuses : 0x" + Hex(ctx.st.DeviceConfigWord));
  l.Wait(1);
}

}  // namespace corvane
