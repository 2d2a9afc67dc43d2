// The configuration word ("Fuses") rules: which bits the user chooses on each device, which bits
// are forced before the word reaches a chip, and how the oscillator buttons and timer boxes follow
// the word. Pure functions of the word and the device text; the window applies them to its
// controls.
#pragma once

#include "chips/chip_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Forces the protection bits for the device. Exactly "PIC16f84" (case-sensitive) selects the
// PIC16F84 layout: bits 4..13 set. Any other text selects the PIC16F87x layout: bits 4, 5 and
// 8..13 set, the low-voltage programming bit 7 and everything above bit 13 cleared. Bits 0..3
// (and bit 6 on the PIC16F87x) keep their values. A chip of the later families (87xA, 62xA, 88)
// shown so in `chips` (the built-in table when null) keeps every field as set, its
// unimplemented bits read as ones.
std::int32_t ConfigNormalise(std::int32_t word, std::string_view device,
                             const ChipTable* chips = nullptr);

// The oscillator button with the given index (0 LP, 1 XT, 2 HS, 3 RC): normalise, then replace
// bits 1..0 with the index. An index outside 0..3 names no button and changes only what the
// normalisation changes.
std::int32_t Osc_Choice(std::int32_t word, int index, std::string_view device);

// The timer boxes: each sets or clears only its own bit, without normalising.
std::int32_t WDT_Reaction(std::int32_t word, bool checked);    // bit 2, 1 = watchdog on
std::int32_t PWRT_Reaction(std::int32_t word, bool checked);   // bit 3, 0 = power-up timer on
std::int32_t BODEN_Reaction(std::int32_t word, bool checked);  // bit 6, 1 = brown-out detect on

// The state of the fuse controls that shows a word: the selected oscillator button and the three
// timer boxes.
struct FuseControls {
  int osc;
  bool wdt;
  bool pwrt;
  bool boden;
  bool operator==(const FuseControls&) const = default;
};
FuseControls Fuses_Shown(std::int32_t word);

// Text of the "Fuses" status panel after an oscillator or timer handler: "Fuses 0x3FF1".
std::string Fuses_Panel_Text(std::int32_t word);

}  // namespace corvane
