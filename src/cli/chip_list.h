// The chips known, one line each, as the step "chips" prints them.
#pragma once

#include <string>

#include "chips/chip_table.h"

namespace corvane {

// "16f877   PIC16f877   ID 09A0/3FE0  8192 words  256 bytes  config 2007/3BFF  84a-87x  built-in"
std::string Chip_List(const ChipTable& chips);

}  // namespace corvane
