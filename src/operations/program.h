// Writing the loaded file into the chip in one run.
#pragma once

#include "protocol/context.h"

namespace corvane {

// "PROGRAM Device": optional reload of the file, program words, EEPROM bytes when the file has
// any, then the configuration word when nothing failed. Returns false when the reload failed (the
// chip is then left untouched) or a word or byte failed its read-back check.
bool Program_Device(Context& ctx);

}  // namespace corvane
