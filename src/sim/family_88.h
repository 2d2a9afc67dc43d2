// The PIC16F87/88 and PIC16F818/819's programming algorithm as the simulated chip answers it.
// Shared with every chip: framing (6-bit commands, 16-clock data phases), the timing checks of
// sim/timing.h, Load Data (2, 3), Read Data (4, 5) and Increment Address (6). Everything below is
// this family's own.
//
// Entry: clock and data low for Thld0 (5 us), Vdd, then MCLR to Vpp within tpu = 250 us; or Vpp
// first with Vdd following within 5 us. Vpp later than 250 us after Vdd is accepted (a board with
// a fixed supply does it), except when the configuration word selects the internal oscillator
// (FOSC2:0 = 10x) with MCLRE = 0: its program has been running since Vdd came, and programming
// mode is not entered (a violation). Such a chip needs Vpp first, or within 250 us of Vdd.
//
// The address counter (PC) starts at 0 and counts 0..0x1FFF (the implemented memory aliasing
// within it), then goes on to 0x2000. Load Configuration (0) moves it to 0x2000 and discards its
// data word; from there it counts 0x2000..0x3FFF and wraps to 0x2000. Configuration memory:
// 0x2000-0x2003 user IDs, 0x2006 device ID, 0x2007 configuration word 1, 0x2008 configuration
// word 2 (16F87/88 only: bits 1..0, IESO and FCMEN; bits 13..2 read 1); other locations up to
// 0x201F are reserved (read 0x3FFF, not writable) and the area repeats every 32 words.
//
// Latches: 4 program latches, the one at index PC & 3 filled by each Load Data for Program Memory
// (2); one data latch, filled by Load Data for Data Memory (3). End Programming (23) and entering
// programming mode return every latch to 0x3FFF. Before the first Begin Erase (8) or Begin
// Programming (24) after entry a Load (0, 2 or 3) must have been given, which picks the memory
// (0 / 2: program space at PC, 3: data EEPROM): otherwise a violation and nothing happens (the
// bulk erases, 9 or 11 then 8, need none). After that the last load's kind picks it.
//
// Every write and erase but Chip Erase is externally timed: the command, a wait, then End
// Programming (23). The wait runs from the last falling clock edge of the command to the first
// rising edge of 23; a shorter one, any command other than 23 first, or leaving programming mode,
// is a violation: the operation is cut short, the cells keep their old contents, and the command
// that cut it short then runs as usual.
//
// Program memory, 4 words at a time in rows of 32:
//   (PC in the row) Begin Erase (8); wait tprog2 >= 1 ms; 23        erases the 32-word row PC & ~31
//   Load Data (2) w0; 6; 2 w1; 6; 2 w2; 6; 2 w3                     (PC & 3 = 0..3)
//   Begin Programming Only (24); wait tprog1 >= 1 ms; 23            programs the group PC & ~3
//   6 to the next group
// 24 ANDs each of the 4 words with its latch (unloaded latches hold 0x3FFF and change nothing),
// so the row must have been erased before (Begin Erase, a bulk erase or Chip Erase).
//
// Configuration memory (after Load Configuration):
//   User IDs: 8 with PC at 0x2000..0x201F erases the 4 user IDs (never the configuration words);
//   23; then 2 id0; 6; 2 id1; 6; 2 id2; 6; 2 id3; 24; wait >= 1 ms; 23 (PC at 0x2000..0x2003).
//   Configuration word 1: PC exactly 0x2007, Load Data (2) word, 24, wait >= 1 ms, 23. The word is
//   written as loaded, bits to 0 or 1 with no erase before; but CP (bit 13) and CPD (bit 8) can
//   only be cleared this way, never set back to 1 (only Chip Erase does).
//   Configuration word 2 (16F87/88): PC exactly 0x2008, Load Data (2) word, 24, wait, 23, likewise.
//   24 elsewhere in configuration memory writes nothing (a violation).
//
// Data EEPROM, one byte at PC (its low 7 or 8 bits):
//   Load Data for Data Memory (3) byte; Begin Erase (8); wait >= 1 ms; 23      erases the byte
//   3 byte; Begin Programming Only (24); wait >= 1 ms; 23                      programs it (AND)
//
// Erasing:
//   Bulk Erase Program (9); Begin Erase (8); wait tprog3 >= 2 ms; 23: program memory, and the user
//   IDs when PC is in configuration memory (never the configuration words). Refused while CP = 0
//   (a violation, nothing erased).
//   Bulk Erase Data (11); 8; wait >= 2 ms; 23: the data EEPROM. Refused while CPD = 0.
//   Any command but 8 after 9 or 11 forgets the bulk erase.
//   Chip Erase (31): program memory, data EEPROM and the configuration word(s), protection
//   included; the user IDs too when PC is in configuration memory. Internally timed, tprog4 = 8 ms:
//   any clock edge or leaving programming mode sooner cuts it short (a violation, nothing erased).
//
// Code protection: CP = 0 protects all of program memory (reads 0, writes and row erases
// ignored); CPD = 0 the data EEPROM (reads 0, writes ignored). User IDs, device ID and
// configuration words always read and can be written.
// Any other command code (1, 7 of the 87x among them) is a violation, ignored. Vdd is modelled as
// present or not: the 4.5-5.5 V ranges of the bulk and chip erases are not checked, and the
// waits are the 4.5-5.5 V ones (1 ms, not the 2 ms below 4.5 V).
#pragma once

#include <array>
#include <cstdint>

#include "sim/family.h"

namespace corvane::sim {

class Family88 final : public Family {
 public:
  using Family::Family;

  void entered() override;
  void loaded(LoadKind kind, std::uint16_t word, std::int64_t t) override;
  void command(int code, std::int64_t t) override;
  int next_pc(int pc) const override;

 private:

  bool knows_memory(std::int64_t t, const char* command);
  void begin_erase(std::int64_t t);
  void begin_programming(std::int64_t t);
  void program_configuration(std::int64_t t);
  void bulk_erase(std::int64_t t, BulkErase which);
  void clear_latches();

  std::array<std::uint16_t, 4> latches_{};
  std::uint16_t data_latch_ = kErasedWord;
  LoadKind last_load_ = kNoLoad;
  BulkErase bulk_ = kNoBulkErase;
};

}  // namespace corvane::sim
