// The chip a run is meant for (--expect CHIP): a production bench that burns one firmware refuses
// to touch a chip of another kind rather than program it with the wrong image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

struct ChipName {
  std::string_view key;   // "16f877", as --expect takes it
  std::string_view name;  // "PIC16F877", as messages show it
  std::int32_t id;        // bits 13..5 of the identification word
};

// The chip that --expect names: "16f877" in any case, with or without "pic" before it; nullptr
// for a chip the programmer does not know.
const ChipName* Find_Chip(std::string_view key);

// "16f84|16f84a|16f873|16f874|16f876|16f877".
std::string Chip_Keys();

struct ExpectCheck {
  std::string refusal;  // why no board step may run; empty when the chip is the expected one
  std::string warning;  // a doubt that does not stop the run
};

// Compares the identification word read from the socket with the expected chip. The revision
// bits are ignored. A word of all ones (an erased location) is what a PIC16F84, which has no
// identification word, and an empty socket both give: it matches 16f84 alone, with a warning.
ExpectCheck Check_Expected(const ChipName& expected, std::int32_t device_id);

}  // namespace corvane
