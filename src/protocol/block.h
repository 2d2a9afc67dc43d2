// Block transfers of program memory from address 0 upward, each with its own entry into and
// exit from programming mode.
#pragma once

#include "protocol/context.h"

namespace corvane {

// Largest word count a block transfer takes: the read-back buffer ends at index 8192.
inline constexpr int kMaxBlockWords = kProgramLast + 1;

// Reads program addresses 0 .. n-1 into ReadBuffer. A count above 8193 is refused before
// programming mode is entered.
void Read_Block(Context& ctx, int n);

// Brings the word at the chip's address counter into agreement with `wanted`, in programming
// mode: reads it, and only when it differs loads and programs it and reads it back. The value
// read last is left in `read_back`. A word that still differs leaves programming mode, shows the
// message box naming `address`, sets WriteError to 1 and returns false. The address counter is
// not moved.
bool Write_Word(Context& ctx, int address, std::int32_t wanted, std::int32_t& read_back);

// Brings program addresses 0 .. n-1 into agreement with ProgramImage: each word is read, written
// only when it differs, and read back. A word that still differs ends the block: programming
// mode is left, the message box names it and WriteError is 1. A count above 8193 is refused
// (WriteError 1) before programming mode is entered.
void Write_Block(Context& ctx, int n);

}  // namespace corvane
