// The configuration word ("Fuses") on the chip: programming it and reading it back.
#pragma once

#include "protocol/context.h"

namespace corvane {

// "PROGRAM Fuses": identifies the chip, normalises ConfigWord for it and writes it at 0x2007.
void Program_Fuses(Context& ctx);

// "CHECK Device Fuses": identifies the chip, reads 0x2007 into DeviceConfigWord, normalises
// ConfigWord for the chip and shows the word read in the "Status" panel.
void Check_Device_Fuses(Context& ctx);

}  // namespace corvane
