// Commands and 14-bit data words on the clock and data lines, least significant bit first.
#pragma once

#include <cstdint>

#include "hardware/lines.h"

namespace corvane {

// Command codes of the serial programming protocol.
enum Command : int {
  kLoadConfiguration = 0,
  kEraseSetup1 = 1,
  kLoadDataProgram = 2,
  kLoadDataEeprom = 3,
  kReadDataProgram = 4,
  kReadDataEeprom = 5,
  kIncrementAddress = 6,
  kEraseSetup2 = 7,
  kBeginProgramming = 8,
  kBulkEraseProgram = 9,
  kBulkEraseData = 11,
  kEndProgramming = 23,
  kBeginProgrammingOnly = 24,
  kChipErase = 31,
};

// The erase cycle after its setup: Bulk Erase Setup 1 and 2, Begin Erase/Programming, a wait
// while the chip erases, then Setup 1 and 2 again.
void Erase_Cycle(Lines& lines);

// Six bits of the command, each held across one clock pulse; ends with the data line released.
void Send_Command(Lines& lines, int code);
// Start bit 0, the word's low 14 bits, stop bit 0: sixteen clocks. Leaves the line driven low.
void Send_Data(Lines& lines, std::int32_t word);
// Sixteen clocks with the line released; the 14 data bits come back least significant first.
void Read_Data(Lines& lines, std::int32_t& word);

}  // namespace corvane
