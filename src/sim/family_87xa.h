// The PIC16F873A/874A/876A/877A's programming algorithm as the simulated chip answers it. Shared
// with every chip: entry, framing (6-bit commands, 16-clock data phases), the timing checks of
// sim/timing.h, Load Configuration (0), Load Data (2, 3), Read Data (4, 5) and Increment Address
// (6). Everything below is this family's own.
//
// Entry: as the 87x: Vdd present, clock and data low for Thld0 (5 us), then MCLR to Vpp; or Vpp
// first with Vdd following within 5 us. The address counter (PC) starts at 0 and counts
// 0..0x1FFF, wrapping to 0; Load Configuration moves it to 0x2000, from where it counts
// 0x2000..0x3FFF and wraps to 0x2000.
//
// Latches: 8 program latches, the one at index PC & 7 filled by each Load Data for Program Memory
// (2) or Load Configuration (0). One data latch, filled by Load Data for Data Memory (3). The last
// load's kind picks the memory a write goes to (3: data EEPROM, 0 / 2: program space at PC); 8 or
// 24 with no Load since entering programming mode is a violation and writes nothing. A write, End
// Programming (23) and entering programming mode return every latch to 0x3FFF, unloaded.
//
// Program memory, one 8-word row (PC & ~7) at a time:
//   Load Data (2) word, then 7 x { Increment Address (6); Load Data (2) word }
//   Begin Erase/Programming (8) with PC still in the row; wait tprog2 = 8 ms; 6 to the next row
// The row is erased, then programmed from the 8 latches, internally timed: any clock edge or
// leaving programming mode before 8 ms cuts it short (a violation; the row keeps its old
// contents). All 8 latches must have been loaded since the last write: otherwise a violation
// naming how many were, and the unloaded ones write 0x3FFF.
// Or, without erasing (the cells are ANDed with the latches, so on an erased row the words are
// written as loaded; any number of latches may be loaded):
//   Load Data (2) word(s); Begin Programming Only (24); wait tprog1 >= 1 ms; End Programming (23)
// The wait is measured from the last falling clock edge of 24 to the first rising edge of 23;
// shorter, or any command other than 23 after 24, or leaving programming mode, is a violation
// (the write is cut short and the cells keep their old contents). The command that cut it short
// then runs as usual.
//
// Configuration memory (after Load Configuration):
//   User IDs: Load Configuration (0) id0, then { 6; Load Data (2) idN } for 0x2001..0x2003, then 8
//   (8 ms) or 24 ... 23 with PC at any of 0x2000..0x2003: writes the IDs whose latches were loaded
//   (the 8-latch rule does not apply).
//   Configuration word: PC exactly 0x2007 (Load Configuration then 7 x Increment Address), Load
//   Data (2) word, then 8 (8 ms, erase + write) or 24 ... 23 (>= 1 ms, AND). Only the word loaded
//   at 0x2007 is written. CP (bit 13) and CPD (bit 8) can be cleared but never set back to 1 by
//   8 or 24: only Chip Erase lifts protection. Bits 12, 5 and 4 are unimplemented and read 1.
//   8 or 24 at 0x2004..0x2006 writes nothing (a violation).
//
// Data EEPROM, one byte at PC (modulo its size):
//   Load Data for Data Memory (3) byte; 8 (erase + write, 8 ms internally timed)
//   or 3 byte; 24; wait >= 1 ms; 23 (AND)
// A data write with no Load for Data Memory since the previous write is a violation (it writes
// 0xFF, the erased latch).
//
// Erasing:
//   Chip Erase (31): program memory, data EEPROM and the configuration word (protection
//   included); the user IDs too when PC is in configuration memory (after Load Configuration).
//   Internally timed, tprog3 = 8 ms; cut short as above. Works whatever the protection.
//   Bulk Erase Program (9) then 8: program memory (and the user IDs when PC is in configuration
//   memory; never the configuration word); Bulk Erase Data (11) then 8: the data EEPROM. 8 ms,
//   internally timed. Refused while CP (for 9) or CPD (for 11) is 0: a violation, nothing erased.
//   Any command but 8 after 9 or 11 forgets the erase.
//
// Code protection: CP = 0 protects all of program memory (reads 0, writes ignored); CPD = 0 the
// data EEPROM (reads 0, writes ignored). User IDs, device ID and configuration word always read.
// Any other command code (1 and 7, the 87x's erase setup, among them) is a violation, ignored.
// Vdd is modelled as present or not: the 4.5-5.5 V ranges of 24, 9, 11 and 31 are not checked.
#pragma once

#include <array>
#include <cstdint>

#include "sim/family.h"

namespace corvane::sim {

class Family87xA final : public Family {
 public:
  using Family::Family;

  void entered() override;
  void loaded(LoadKind kind, std::uint16_t word, std::int64_t t) override;
  void command(int code, std::int64_t t) override;

 private:

  void write(std::int64_t t, bool erase_first);
  void write_program_space(std::int64_t t, bool erase_first);
  void bulk_erase(std::int64_t t, BulkErase which);
  void chip_erase(std::int64_t t);
  void clear_latches();
  // An internally timed cycle (8) or one the host times (24 ... 23).
  void finish(std::int64_t t, bool erase_first, const char* what, int address, Undo undo);

  std::array<std::uint16_t, 8> latches_{};
  unsigned loaded_ = 0;  // bit i: latch i loaded since the last write
  std::uint16_t data_latch_ = kErasedWord;
  bool data_loaded_ = false;
  LoadKind last_load_ = kNoLoad;
  BulkErase bulk_ = kNoBulkErase;
};

}  // namespace corvane::sim
