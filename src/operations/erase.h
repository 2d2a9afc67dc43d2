// Erasing the whole chip.
#pragma once

#include "protocol/context.h"

namespace corvane {

// "ERASE Device": the chip-erase sequence from the configuration word (0x2007), which clears
// program memory, data EEPROM and the configuration word, code protection included.
void Erase_Device(Context& ctx);

}  // namespace corvane
