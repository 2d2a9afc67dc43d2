#include "protocol/show_device.h"

#include "protocol/hex_text.h"

namespace corvane {

void Show_Device(Context& ctx) {
  const ChipEntry* chip = Chips_In_Use(ctx.st).Find_Id(ctx.st.DeviceId);
  ctx.st.VppFirst = chip != nullptr && chip->family == ChipFamily::k62xA;
  ctx.panel.Set_Device(Chips_In_Use(ctx.st).Shown_Name(ctx.st.DeviceId));
  ctx.panel.Set_Status("Device",
                       "Device : " + ctx.panel.Device() + " (" + Hex(ctx.st.DeviceId) + ")");
}

}  // namespace corvane
