#include "operations/identify.h"

#include "protocol/show_device.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

void DeviceIdRead(Context& ctx, Pause wait_after_load, Pause wait_after_increment,
                  Pause wait_after_read) {
  Lines& l = ctx.lines;
  Send_Command(l, kLoadConfiguration);
  Send_Data(l, 0x3FFF);
  l.Wait(wait_after_load);
  for (int i = 0; i < 6; ++i) {
    Send_Command(l, kIncrementAddress);
    l.Wait(wait_after_increment);
  }
  Send_Command(l, kReadDataProgram);
  Read_Data(l, ctx.st.DeviceId);
  l.Wait(wait_after_read);
  Show_Device(ctx);
}

void Check_Device_Id(Context& ctx) {
  Lines& l = ctx.lines;
  ctx.panel.Set_Status("Status", "Verifying Device Id");
  l.Vpp_Off();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kIdBefore);
  l.Vpp_On();
  l.Wait(Pause::kIdEntered);
  DeviceIdRead(ctx, Pause::kNone, Pause::kIdIncrement, Pause::kNone);
  l.Vpp_Off();
  l.Vdd_On();
  l.Wait(Pause::kIdEnd);
}

void Identify_Before_Fast_Writes(Context& ctx) {
  if (ctx.st.Speed != kFastSpeed) return;
  Lines& l = ctx.lines;
  const std::int32_t shown = ctx.st.DeviceId;
  l.Vpp_Off();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kIdBefore);
  l.Vpp_On();
  l.Wait(Pause::kIdEntered);
  DeviceIdRead(ctx, Pause::kNone, Pause::kIdIncrement, Pause::kNone);
  l.Vpp_Off();
  l.Vdd_On();
  l.Wait(Pause::kIdEnd);
  Note_Chip_Change(ctx, shown);
}

void Note_Chip_Change(Context& ctx, std::int32_t shown) {
  if (ctx.st.Speed != kFastSpeed || ctx.st.DeviceId == shown) return;
  ctx.panel.Append_Text("Device in the socket : " + Chips_In_Use(ctx.st).Shown_Name(ctx.st.DeviceId) + " (" +
                        Hex(ctx.st.DeviceId) + "), the write times follow it\r\n");
}

}  // namespace corvane
