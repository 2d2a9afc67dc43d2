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

// At the fast speed the write cycles are timed for the chip last identified, so a command that
// writes first identifies the chip in the socket, in a programming-mode entry of its own: a 16F84
// put in after a 16F84A was identified must get its own longer cycles. Nothing at the other speeds,
// whose waits suit every chip.
void Identify_Before_Fast_Writes(Context& ctx);

// After an identification at the fast speed: when the chip is not the one the "Device" panel
// showed (its identification word `shown`), the log says so.
void Note_Chip_Change(Context& ctx, std::int32_t shown);

}  // namespace corvane
