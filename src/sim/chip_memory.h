// The non-volatile cells of a simulated chip and the rules that guard them: aliasing of the
// address counter, code protection, the configuration word's fixed bits, word writes and bulk
// erases. Every change returns what it takes to undo it, so that an erase/write cycle that is cut
// short leaves the cells as they were.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/chip_kind.h"

namespace corvane::sim {

struct MemoryCells {
  std::vector<std::uint16_t> program;
  std::vector<std::uint8_t> eeprom;
  std::array<std::uint16_t, 4> user_ids{};
  std::uint16_t config = kErasedWord;
  std::uint16_t config2 = kErasedWord;  // 0x2008, on the chips that have it
};

// What one bulk or chip erase clears. Protected program memory and data EEPROM keep their
// contents unless even_protected.
struct EraseSet {
  bool program = false;
  bool eeprom = false;
  bool user_ids = false;
  bool config = false;  // the configuration word(s), protection included
  bool even_protected = false;
};

// What a change replaced: one cell, everything, or nothing at all.
struct Undo {
  enum Target { kNone, kProgram, kUserId, kConfig, kConfig2, kEeprom, kAll };
  Target target = kNone;
  int index = 0;
  std::uint16_t old = 0;
  std::optional<MemoryCells> all;
};

class ChipMemory {
 public:
  // An erased chip. revision: bits 4..0 of the identification word.
  ChipMemory(ChipKind kind, int revision);

  const ChipFacts& facts() const { return *facts_; }
  const MemoryCells& cells() const { return cells_; }
  std::uint16_t device_id() const { return device_id_; }
  void set_device_id(std::uint16_t id) { device_id_ = id; }

  // Direct access to the cells, bypassing protection (loading and inspecting a chip). Addresses
  // out of range throw std::out_of_range; words keep their low 14 bits.
  void set_program(int address, std::uint16_t word);
  void set_eeprom(int address, std::uint8_t byte);
  void set_user_id(int i, std::uint16_t word);
  // The unimplemented bits of the configuration word read 1 whatever is stored.
  void set_config(std::uint16_t word);
  // CONFIG2 (0x2008), likewise; throws std::out_of_range on a chip without one.
  void set_config2(std::uint16_t word);
  // A cell that no write or erase changes: a program address, or 0x2000-0x2003 / 0x2007.
  void set_stuck(int address);

  // Code protection from the configuration word. 16F84/84A: any CP bit (13..4) at 0 protects all
  // of program memory and the data EEPROM. 16F87x: CP1:CP0 is read from both copies (13..12 and
  // 5..4) and a 0 in either copy counts; 11 off, 10 the upper 256 words, 01 the upper half, 00
  // everything; /CPD (bit 8) at 0 protects the data EEPROM. 87xA, 62xA, 88 family: CP (bit 13) at
  // 0 protects all of program memory, /CPD (bit 8) at 0 the data EEPROM.
  bool program_protected(int address) const;
  bool eeprom_protected() const;

  // The address counter runs over 0..0x3FFF. Program space (below 0x2000) aliases modulo the
  // memory size; the configuration area repeats every config_slots words (8 on the 84 and 87x:
  // 0x2008 is 0x2000); past 0x2007 (0x2008 on a chip with CONFIG2) it is reserved, reading
  // 0x3FFF. The data EEPROM address is the counter modulo the EEPROM size.
  std::uint16_t read_program_space(int pc) const;  // protected words read 0
  std::uint8_t read_eeprom(int pc) const;          // protected bytes read 0

  // A word write at the counter: erase_first (Begin Erase/Programming) stores the latch as it is;
  // programming only (Begin Programming Only) can clear bits but not set them. Protected words,
  // the device ID and the reserved locations 0x2004-0x2005 do not change. Code-protection bits
  // (and /CPD) of the configuration word can be cleared but never set back to 1: only the chip
  // erase lifts protection.
  Undo write_program_space(int pc, std::uint16_t latch, bool erase_first);
  Undo write_eeprom(int pc, std::uint16_t latch, bool erase_first);
  // Bulk erases. Protected cells keep their contents; the chip erase clears everything,
  // configuration word and protection included.
  Undo erase_program(bool with_user_ids);
  Undo erase_eeprom();
  Undo chip_erase();
  Undo erase(const EraseSet& what);
  // Everything as it is now: to undo a change made of several writes.
  Undo snapshot() const { return Undo{Undo::kAll, 0, 0, cells_}; }

  void undo(Undo& u);

 private:
  int program_address(int pc) const { return pc % facts_->program_words; }
  int config_slot(int pc) const { return (pc - kConfigBase) % facts_->config_slots; }
  std::uint16_t config2_forced_ones() const {
    return static_cast<std::uint16_t>(0x3FFF & ~facts_->config2_mask);
  }
  std::uint16_t sticky_mask() const { return facts_->cp_mask | facts_->cpd_bit; }

  const ChipFacts* facts_;
  std::uint16_t device_id_;
  MemoryCells cells_;
  std::vector<bool> stuck_program_;
  std::uint8_t stuck_config_ = 0;  // bit i: configuration location 0x2000 + i
};

}  // namespace corvane::sim
