// Writing the loaded file into the chip in one run.
#pragma once

#include "protocol/context.h"

namespace corvane {

// "PROGRAM Device": optional reload of the file, program words, EEPROM bytes when the file has
// any, then, when nothing failed, the user IDs when the file gives any and the configuration
// word. Returns false when the reload failed (the chip is then left untouched; *reload_failed
// says so) or a word or byte failed its read-back check.
bool Program_Device(Context& ctx, bool* reload_failed = nullptr);

}  // namespace corvane
