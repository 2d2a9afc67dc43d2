// The PIC16F627A/628A/648A's programming algorithm as the simulated chip answers it. Shared with
// every chip: framing (6-bit commands, 16-clock data phases), the timing checks of sim/timing.h,
// Load Configuration (0), Load Data (2, 3), Read Data (4, 5) and Increment Address (6). Everything
// below is this family's own.
//
// Entry, Vpp first: clock and data low for Thld0 (5 us), MCLR to Vpp, then Vdd at least Tppdp
// (5 us) later (sooner is a violation), then at least 5 us before the first clock. Programming
// mode starts as Vdd arrives. Vpp raised while Vdd is already present (Vdd first) still enters,
// and reads answer (how a programmer identifies a chip it does not know yet); but a write or
// erase begun in such an entry is a violation naming this family's order.
// PGM (RB4, Pins::pgm) must stay low: while LVP (configuration bit 7) is 1, any edge on PGM in
// programming mode resets PC to 0 and is a violation; with LVP = 0 PGM does nothing.
//
// The address counter (PC) starts at 0 and counts to the end of the implemented program memory,
// wrapping to 0 (0x3FF, 0x7FF or 0xFFF); Load Configuration moves it to 0x2000, the word loaded
// going to the latch, and from there it counts 0x2000..0x3FFF, wrapping to 0x2000.
//
// Writing, one word at a time, each one:
//   Load Data (2, or 3 for data memory, or 0 at 0x2000) word; Begin Programming Only (8)
//   wait: program memory and configuration memory TPROG = 4 ms, data EEPROM TDPROG = 6 ms
//   Increment Address (6)
// 8 programs without erasing: the cell is ANDed with the latch, so it must have been erased
// (bulk erase) before. Internally timed: any clock edge or leaving programming mode before the
// time is up cuts it short (a violation; the cell keeps its old contents). A Load must come before
// every 8: an 8 with no Load since the previous one is a violation and writes nothing. The last
// load's kind picks the memory: 3 the data EEPROM byte at PC (modulo its size), 0 or 2 the program
// space at PC. In configuration memory, 8 writes the user IDs at 0x2000..0x2003 and the
// configuration word at 0x2007 (Load Configuration, 7 x Increment Address, Load Data, 8); the
// device ID and reserved locations do not change. Bits 12..9 of the configuration word are
// unimplemented and read 1.
//
// Erasing:
//   Load Data (2) 0x3FFF (or Load Configuration (0) 0x3FFF); Bulk Erase Program Memory (9);
//   wait TERA = 6 ms, internally timed (cut short as above). A 9 whose last Load was not a 0x3FFF
//   into program space is a violation (it still erases). Effects, whatever CP:
//     PC in configuration memory: program memory, configuration word and user IDs, plus the data
//     EEPROM when CPD = 0;
//     PC in program memory: program memory and configuration word, plus the data EEPROM when
//     CPD = 0.
//   Bulk Erase Data Memory (11); wait TERA = 6 ms: the data EEPROM, whatever CPD.
//
// Code protection: CP = 0 protects all of program memory (reads 0, writes ignored), CPD = 0 the
// data EEPROM (reads 0, writes ignored); the user IDs, device ID and configuration word always
// read. Only the bulk erase of program memory lifts protection.
// Any other command code (24, 23, 31, 1, 7 of the other families among them) is a violation,
// ignored. Vdd is modelled as present or not: the 4.5-5.5 V range of the bulk erases is not
// checked.
#pragma once

#include <cstdint>

#include "sim/family.h"

namespace corvane::sim {

class Family62xA final : public Family {
 public:
  using Family::Family;

  void entered() override;
  void loaded(LoadKind kind, std::uint16_t word, std::int64_t t) override;
  void command(int code, std::int64_t t) override;
  int next_pc(int pc) const override;

 private:
  void program(std::int64_t t);
  void bulk_erase_program(std::int64_t t);

  std::uint16_t latch_ = kErasedWord;
  bool loaded_ = false;  // a Load since the previous Begin Programming
  LoadKind last_load_ = kNoLoad;
};

}  // namespace corvane::sim
