// Reading the start of the chip's program memory.
#pragma once

#include "protocol/context.h"

namespace corvane {

// "Read Device": reads words 0 to 1022, lists the first eleven, reports the loaded file's size and
// checks the configuration word.
void Read_Device(Context& ctx);

}  // namespace corvane
