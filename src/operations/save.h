// Reading the whole chip into a HEX file (the console program's "save").
#pragma once

#include <ostream>
#include <string>

#include "image/hex_file.h"
#include "protocol/context.h"
#include "chips/chip_table.h"

namespace corvane {

// Reads program memory, user IDs, configuration word (both words on a chip that has a second one)
// and data EEPROM and writes them as an INHX8M file at `path` (see Write_Chip_Hex: a failure
// leaves no half-written file), or to `stream` when one is given (`path` then only names it in
// messages). The configuration area is read before and after the memory: when the two reads
// differ, or everything reads 0, the board did not answer and nothing is written. A file target
// that cannot be created or written is found before anything is read. Returns false and shows a
// message box when the save is cancelled or the file cannot be written. `read` and `device_id`,
// when given, receive what was read from a chip that answered consistently.
bool Save_Device(Context& ctx, const std::string& path, std::ostream* stream = nullptr,
                 ChipContents* read = nullptr, std::int32_t* device_id = nullptr);

}  // namespace corvane
