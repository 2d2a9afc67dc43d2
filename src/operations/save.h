// Reading the whole chip into a HEX file (the console program's "save").
#pragma once

#include <string>

#include "protocol/context.h"

namespace corvane {

struct ChipSize {
  int program_words;
  int eeprom_bytes;
};

// Memory sizes for an identification word; an unknown word takes the sizes of the device named by
// the device box.
ChipSize Chip_Size_For(std::int32_t device_id, const std::string& device_box);

// Reads program memory, user IDs, configuration word and data EEPROM and writes them as an INHX8M
// file (through a temporary file, so a failure leaves no half-written file). Returns false and
// shows a message box when the file cannot be written.
bool Save_Device(Context& ctx, const std::string& path);

}  // namespace corvane
