// The configuration words as the chip table names them: a field (FOSC, MCLRE, LVP...) and one of
// its values (INTOSCIO, OFF...), looked up in any case, and set in or read from a word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chips/chip_entry.h"

namespace corvane {

struct WorkingState;

// Where the second configuration word sits on the chips that have one (CONFIG2 of the 16F87/88).
inline constexpr int kConfigWord2Address = 0x2008;

struct FieldChoice {
  const ConfigField* field = nullptr;
  const ConfigValue* value = nullptr;
};

// Finds the field NAME and its value VALUE (both in any case) among the chip's fields. On failure
// returns false with a message naming what the chip has: "PIC16F628A has no field FOO; its fields
// are FOSC, WDTE, ..." or "FOSC of PIC16F628A takes LP, XT, ..., not BAR".
bool Find_Field_Value(const ChipEntry& chip, std::string_view name, std::string_view value,
                      FieldChoice* out, std::string* error);

// The word with the field's bits replaced by the value's.
std::int32_t With_Field(std::int32_t word, const ConfigField& field, const ConfigValue& value);

// The value whose bits the word holds in the field; null when none has them.
const ConfigValue* Field_Value(std::int32_t word, const ConfigField& field);

// "CONFIG" for a chip's only word, "CONFIG1" and "CONFIG2" when it has two: the configuration
// word at that address as the datasheets name it.
std::string Config_Word_Name(const ChipEntry& chip, int address);

// The chip whose configuration words the image holds: the one the identification word names,
// else the first the device box shows so; null when neither names one.
const ChipEntry* Config_Chip_Of(const WorkingState& st, std::int32_t device_id,
                                std::string_view device_box);

// The implemented bits of the chip's second configuration word; 0 when it has none (or no chip).
std::uint16_t Config_Word2_Mask(const ChipEntry* chip);

// How the second word follows the first where a word is shown as "0x3F72" (the "Fuses" panel,
// "Device Fuses : "): "/" and its implemented bits in hexadecimal, "/3" for 0x3FFF on a 16F88;
// nothing for a chip with one word, whose texts stay as they were.
std::string Config_Word2_Suffix(const ChipEntry* chip, std::int32_t word2);

}  // namespace corvane
