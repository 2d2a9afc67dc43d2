// The configuration word ("Fuses") on the chip: programming it and reading it back.
#pragma once

#include "protocol/context.h"

namespace corvane {

// "PROGRAM Fuses": identifies the chip, normalises ConfigWord for it and writes it at 0x2007.
void Program_Fuses(Context& ctx);

// "CHECK Device Fuses": identifies the chip, reads 0x2007 into DeviceConfigWord (and 0x2008 into
// DeviceConfigWord2 on a chip that has a second word), normalises ConfigWord for the chip and
// shows what was read in the "Status" panel.
void Check_Device_Fuses(Context& ctx);

}  // namespace corvane
