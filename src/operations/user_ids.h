// The four user-ID words at 0x2000-0x2003: written by Program device and compared by Verify when
// the loaded file gives them, left alone when it does not.
#pragma once

#include <array>
#include <cstdint>

#include "protocol/context.h"

namespace corvane {

inline constexpr int kUserIdAddress = 0x2000;

// Whether the loaded file gives at least one user ID.
bool Has_User_Ids(const WorkingState& st);

// Writes the user IDs the file gives, in programming mode from Load Configuration, each as a
// program word is written (read, skipped when equal, loaded, programmed, read back). An ID that
// fails leaves programming mode, shows the block write's message box with its address and sets
// WriteError to 1. Returns false then.
bool Program_User_Ids(Context& ctx);

// Reads the four user-ID words of the chip.
std::array<std::int32_t, kUserIdCount> Read_User_Ids(Context& ctx);

}  // namespace corvane
