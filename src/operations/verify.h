// Comparing the chip's program memory and configuration word with the image.
#pragma once

#include <string>

#include "protocol/context.h"

namespace corvane {

// Words a verify reads: the loaded program, at least 1023 words, at most the whole image.
int Verify_Word_Count(int last_program_address);

// Program words and user IDs that differ between the chip, as the last verify read it, and the
// file: every one, where the log stops listing them after eleven.
int Verify_Differences(const WorkingState& st);

// What differs between the configuration words the image holds and those the last CHECK Device
// Fuses read: "the configuration word reads 0x3FF1 instead of 0x3FF2" (compared whole, as always),
// then, on a chip with a second word that differs in its implemented bits, "CONFIG2 reads 0x3FFD
// instead of 0x3FFF"; joined by " and " when both differ, empty when neither does. The chip is
// the one the identification word names.
std::string Config_Mismatch(const WorkingState& st);

// "VERIFY": reads the chip, lists up to eleven differing words, counts them and compares the
// configuration word (both words on a chip that has two). Returns true when the chip matches the
// image and the configuration words.
bool Verify(Context& ctx);

}  // namespace corvane
