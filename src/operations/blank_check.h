// Blank check: whether every location of the chip holds its erased value.
#pragma once

#include <cstdint>

#include "image/hex_file.h"
#include "protocol/context.h"

namespace corvane {

// Reads program memory (the whole chip, by its identification word), the user IDs, the
// configuration word and the data EEPROM, and logs "Device is blank", or the first addresses that
// are not (in the HEX file's word addresses: user IDs 2000-2003, configuration word 2007, EEPROM
// from 2100) and their count. True when the chip is blank. A chip that reads nothing but zeros did
// not answer: the check is cancelled with a message box. `read` and `device_id`, when given,
// receive what was read.
bool Blank_Check(Context& ctx, ChipContents* read = nullptr, std::int32_t* device_id = nullptr);

}  // namespace corvane
