#include "protocol/device_table.h"

#include "protocol/hex_text.h"

namespace corvane {

std::string Device_Name(std::int32_t device_id) {
  const std::int32_t m = device_id & 0x3FE0;
  if (m == 0x09A0) return kPic16f877;
  if (m == 0x3FE0 || m == 0x0560) return kPic16f84;
  return kPic16f873;
}

ChipSize Chip_Size_For(std::int32_t device_id, const std::string& device_box) {
  switch (device_id & 0x3FE0) {
    case 0x3FE0:  // PIC16F84: no identification word, reads erased
    case 0x0560:  // PIC16F84A
      return {1024, 64};
    case 0x0960:  // PIC16F873
    case 0x0920:  // PIC16F874
      return {4096, 128};
    case 0x09E0:  // PIC16F876
    case 0x09A0:  // PIC16F877
      return {8192, 256};
    default:
      break;
  }
  if (device_box == kPic16f84) return {1024, 64};
  if (device_box == kPic16f873) return {4096, 128};
  return {8192, 256};
}

void Show_Device(Context& ctx) {
  ctx.panel.Set_Device(Device_Name(ctx.st.DeviceId));
  ctx.panel.Set_Status("Device",
                       "Device : " + ctx.panel.Device() + " (" + Hex(ctx.st.DeviceId) + ")");
}

}  // namespace corvane
