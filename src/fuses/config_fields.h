// The configuration words as the chip table names them: a field (FOSC, MCLRE, LVP...) and one of
// its values (INTOSCIO, OFF...), looked up in any case, and set in or read from a word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chips/chip_entry.h"

namespace corvane {

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

}  // namespace corvane
