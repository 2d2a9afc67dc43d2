// The writes and erases of the families programmed since the 87x (protocol/family_rules.h): the
// 87xA, 62xA and 88 families. Each command enters programming mode in the family's order (the
// lines apply Vpp before Vdd for a 62xA), uses the family's write unit and begin / end commands,
// and leaves programming mode as every command does. The status texts, progress and messages are
// those of the word-by-word sequences.
#pragma once

#include <array>
#include <cstdint>

#include "chips/chip_entry.h"
#include "protocol/context.h"

namespace corvane {

// PROGRAM Device's program words 0 .. n-1: program memory erased in bulk (with the user IDs when
// `erase_ids`), each unit holding a word that is not blank loaded and written, the rest left
// erased; then every word read back. A word that differs leaves programming mode, shows "Error at
// @ : ..." and sets WriteError.
void Family_Write_Program(Context& ctx, const ChipEntry& chip, int n, bool erase_ids);

// PROGRAM EEPROM's bytes 0 .. EepromCount-1: each read, written when it differs, read back.
void Family_Write_Eeprom(Context& ctx, const ChipEntry& chip);

// The user IDs `ids` (kNoUserId: a location the file does not give; null: none written) and
// every configuration word of the chip, in one entry; each configuration word read back under its
// mask. False, with the message box and WriteError, when one did not take.
bool Family_Write_Config(Context& ctx, const ChipEntry& chip,
                         const std::array<std::int32_t, 4>* ids);

// ERASE Device: everything, code protection, user IDs and data EEPROM included.
void Family_Erase(Context& ctx, const ChipEntry& chip);

// ERASE EEPROM: the data EEPROM alone.
void Family_Erase_Eeprom(Context& ctx, const ChipEntry& chip);

}  // namespace corvane
