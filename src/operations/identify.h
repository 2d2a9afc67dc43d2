// Reading the chip's identification word.
#pragma once

#include "protocol/context.h"

namespace corvane {

// With the chip in programming mode: Load Configuration (0x3FFF), six Increment Address to the
// identification word at 0x2006, read it into DeviceId and show the device. The three waits are the
// caller's places in the pause table; Pause::kNone means none. Leaves the address counter at
// 0x2006.
void DeviceIdRead(Context& ctx, Pause wait_after_load, Pause wait_after_increment,
                  Pause wait_after_read);

// "CHECK Device Id": one pass in programming mode that identifies the chip.
void Check_Device_Id(Context& ctx);

}  // namespace corvane
