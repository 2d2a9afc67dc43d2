// Reading the whole chip into a HEX file (the console program's "save").
#pragma once

#include <string>

#include "protocol/context.h"
#include "protocol/device_table.h"

namespace corvane {

// Reads program memory, user IDs, configuration word and data EEPROM and writes them as an INHX8M
// file (through a temporary file, so a failure leaves no half-written file). Returns false and
// shows a message box when the file cannot be written.
bool Save_Device(Context& ctx, const std::string& path);

}  // namespace corvane
