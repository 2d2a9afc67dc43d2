// Shows the chip an identification word names, by the chip table the run uses.
#pragma once

#include "chips/chip_table.h"
#include "protocol/context.h"

namespace corvane {

// Sets the device box from DeviceId and shows "Device : NAME (ID)" in the "Device" panel.
void Show_Device(Context& ctx);

}  // namespace corvane
