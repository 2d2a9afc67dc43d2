#include "sim/family_62xa.h"

#include "sim/violation_text.h"

namespace corvane::sim {

void Family62xA::entered() {
  latch_ = kErasedWord;
  loaded_ = false;
  last_load_ = kNoLoad;
}

void Family62xA::loaded(LoadKind kind, std::uint16_t word, std::int64_t) {
  latch_ = word;
  loaded_ = true;
  last_load_ = kind;
}

// In program memory the counter wraps at the end of the implemented words.
int Family62xA::next_pc(int pc) const {
  if (pc < kConfigBase) return (pc + 1) % facts().program_words;
  return Family::next_pc(pc);
}

void Family62xA::command(int code, std::int64_t t) {
  switch (code) {
    case 8:
      program(t);
      break;
    case 9:
      bulk_erase_program(t);
      break;
    case 11:
      start_cycle(t, facts().times.bulk_erase_ns, "data EEPROM bulk erase", -1,
                  memory().erase(EraseSet{.eeprom = true, .even_protected = true}));
      break;
    default:
      foreign(code, t);
      break;
  }
}

void Family62xA::program(std::int64_t t) {
  if (!loaded_) {
    violate(t,
            "Begin Programming with no Load since the previous one (a Load must come before "
            "every Begin Programming): nothing written at " +
                Hex4(pc()));
    return;
  }
  loaded_ = false;
  if (last_load_ == kDataLoad) {
    start_cycle(t, facts().eeprom_write_ns, "EEPROM write", pc(),
                memory().write_eeprom(pc(), latch_, false));
  } else if (pc() < kConfigBase) {
    start_cycle(t, facts().program_word_ns, "program write", pc(),
                memory().write_program_space(pc(), latch_, false));
  } else {
    start_cycle(t, facts().times.config_write_ns, "configuration memory write", pc(),
                memory().write_program_space(pc(), latch_, false));
  }
}

// Erases whatever the protection: program memory and the configuration word, the user IDs from
// configuration memory, the data EEPROM as well when it is protected.
void Family62xA::bulk_erase_program(std::int64_t t) {
  if (!loaded_ || last_load_ == kDataLoad || latch_ != kErasedWord) {
    violate(t,
            "Bulk Erase Program Memory without a Load Data of 0x3FFF just before it: erased "
            "all the same");
  }
  const EraseSet what{.program = true,
                      .eeprom = memory().eeprom_protected(),
                      .user_ids = pc() >= kConfigBase,
                      .config = true,
                      .even_protected = true};
  start_cycle(t, facts().times.bulk_erase_ns, "program memory bulk erase", -1,
              memory().erase(what));
}

}  // namespace corvane::sim
