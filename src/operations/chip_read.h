// Reading the whole chip: the configuration area and the data EEPROM, each in a programming-mode
// entry of its own (program memory is a block read), and what the words read say about the chip.
// Used by the save and the blank check.
#pragma once

#include <cstdint>

#include "image/hex_file.h"
#include "protocol/context.h"
#include "chips/chip_table.h"

namespace corvane {

// Reads the user IDs (0x2000-0x2003), the identification word (0x2006) and the configuration
// word (0x2007), and the second one (0x2008) on a chip that has one, in one pass in programming
// mode.
void Read_Configuration_Area(Context& ctx, ChipContents& c, std::int32_t& device_id);

// Reads data EEPROM bytes 0 .. bytes-1 into c.eeprom.
void Read_Eeprom_Bytes(Context& ctx, ChipContents& c, int bytes);

// Whether any code-protection bit of the configuration word is on (0): the CP bits of the
// PIC16F84/84A, or CP1:CP0 and /CPD of the PIC16F87x.
// A chip of a later family (87xA, 62xA, 88) answers by its table entry: its CP or CPD field not
// at OFF.
bool Code_Protected(std::uint16_t config, const ChipSize& size, const ChipEntry* chip = nullptr);

// Every word read is 0: the data line never rose, so nothing answered.
bool All_Zero(const ChipContents& c, std::int32_t device_id);

// Everything reads as erased cells: an erased chip, or an empty socket whose data line floats high.
bool All_Erased(const ChipContents& c);

}  // namespace corvane
