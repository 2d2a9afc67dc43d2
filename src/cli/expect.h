// The chip a run is meant for (--expect CHIP): a production bench that burns one firmware refuses
// to touch a chip of another kind rather than program it with the wrong image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chips/chip_table.h"

namespace corvane {

// The chip that --expect names: "16f877" in any case, with or without "pic" before it; nullptr
// for a chip the table does not have.
const ChipEntry* Find_Chip(const ChipTable& chips, std::string_view key);

struct ExpectCheck {
  std::string refusal;  // why no board step may run; empty when the chip is the expected one
  std::string warning;  // a doubt that does not stop the run
};

// Compares the identification word read from the socket with the expected chip. The revision
// bits are ignored. A word of all ones (an erased location) is what a chip without an
// identification word (the PIC16F84) and an empty socket both give: it matches that chip alone,
// with a warning.
ExpectCheck Check_Expected(const ChipTable& chips, const ChipEntry& expected,
                           std::int32_t device_id);

}  // namespace corvane
