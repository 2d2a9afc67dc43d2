// The chip's data EEPROM: programming it from the image, reading it, erasing it.
#pragma once

#include "protocol/context.h"

namespace corvane {

// "PROGRAM EEPROM": writes EepromImage[0 .. EepromCount-1], each byte read first and written only
// when it differs, then read back; a byte that still differs gets its own message box and sets
// WriteError, and the pass goes on.
void Program_EEPROM(Context& ctx);

// "READ EEPROM": reads the first 64 bytes into ReadBuffer and lists them in the log.
void Read_EEPROM(Context& ctx);

// "ERASE EEPROM": bulk-erases the data EEPROM.
void Erase_EEPROM(Context& ctx);

}  // namespace corvane
