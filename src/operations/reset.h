// The Tessel board's reset, and the write/read test of the first program words.
#pragma once

#include "protocol/context.h"

namespace corvane {

// "RESET PIC": one reset pulse on the Tessel board.
void Reset_PIC(Context& ctx);

// The write/read test: writes 0x3F55 and 0x3F56 at program words 0 and 1 (in the image and the
// chip), then lists what was written and what reads back.
void Command1_Test(Context& ctx);

}  // namespace corvane
