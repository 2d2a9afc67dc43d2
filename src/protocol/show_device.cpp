#include "protocol/show_device.h"

#include "protocol/hex_text.h"

namespace corvane {

void Show_Device(Context& ctx) {
  ctx.panel.Set_Device(Chips_In_Use(ctx.st).Shown_Name(ctx.st.DeviceId));
  ctx.panel.Set_Status("Device",
                       "Device : " + ctx.panel.Device() + " (" + Hex(ctx.st.DeviceId) + ")");
}

}  // namespace corvane
