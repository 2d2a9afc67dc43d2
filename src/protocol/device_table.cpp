#include "protocol/device_table.h"

#include "protocol/hex_text.h"

namespace corvane {

std::string Device_Name(std::int32_t device_id) {
  const std::int32_t m = device_id & 0x3FE0;
  if (m == 0x09A0) return kPic16f877;
  if (m == 0x3FE0 || m == 0x0560) return kPic16f84;
  return kPic16f873;
}

void Show_Device(Context& ctx) {
  ctx.panel.Set_Device(Device_Name(ctx.st.DeviceId));
  ctx.panel.Set_Status("Device",
                       "Device : " + ctx.panel.Device() + " (" + Hex(ctx.st.DeviceId) + ")");
}

}  // namespace corvane
