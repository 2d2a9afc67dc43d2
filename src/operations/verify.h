// Comparing the chip's program memory and configuration word with the image.
#pragma once

#include "protocol/context.h"

namespace corvane {

// Words a verify reads: the loaded program, at least 1023 words, at most the whole image.
int Verify_Word_Count(int last_program_address);

// Program words and user IDs that differ between the chip, as the last verify read it, and the
// file: every one, where the log stops listing them after eleven.
int Verify_Differences(const WorkingState& st);

// "VERIFY": reads the chip, lists up to eleven differing words, counts them and compares the
// configuration word. Returns true when the chip matches the image and the configuration word.
bool Verify(Context& ctx);

}  // namespace corvane
