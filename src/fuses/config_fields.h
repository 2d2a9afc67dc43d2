// The configuration word by the chip table's named fields: "FOSC=XT", "MCLRE=OFF".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chips/chip_entry.h"

namespace corvane {

// Sets one field of the word at 0x2007 from "NAME=VALUE" (names in any case). False with the
// reason, which lists the names or values the chip has, when the text names neither.
bool Set_Config_Field(const ChipEntry& chip, std::string_view assignment, std::int32_t* word,
                      std::string* error);

// "FOSC=XT WDTE=OFF ...": each field of the word at 0x2007 with the value its bits give ("?" for
// bits no value has).
std::string Config_Fields_Text(const ChipEntry& chip, std::int32_t word);

}  // namespace corvane
