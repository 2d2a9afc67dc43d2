// What the families programmed since the 87x do differently: the unit a program write covers, the
// command that starts it, whether End Programming stops it, and how program memory is erased in
// bulk. The 16F84 and 84A / 87x families keep the word-by-word sequences of protocol/block.h.
#pragma once

#include <cstdint>

#include "chips/chip_entry.h"
#include "state/working_state.h"

namespace corvane {

struct FamilyRules {
  ChipFamily family;
  // Words loaded (with Increment Address between them) before one program write: 8 on the 87xA,
  // 4 on the 88, 1 on the 62xA. The chip ignores the low bits of the address counter.
  int unit;
  // The write at normal and low speed, and at the fast speed (the shortest legal one).
  int begin;
  int fast_begin;
  // Whether a begin command needs End Programming (23) after its time: externally timed writes.
  bool Ends(int command) const { return command == 24 || (family == ChipFamily::k88 && command == 8); }
  // Load Configuration's data word goes to 0x2000 (87xA, 62xA) or is discarded (88).
  bool config_load_writes;
  // An externally timed program write is at least this long (tprog1; 0: the table's time).
  std::int64_t program_only_ns;
};

// The rules of a family written by protocol/family_write.h; null for the 16F84 and 84A / 87x ones.
const FamilyRules* Rules_For(ChipFamily family);

// The chip identified last, when its family is one of those: null otherwise (and for a word no
// entry names, which is written as a 16F873).
const ChipEntry* Later_Family_Chip(const WorkingState& st);

}  // namespace corvane
