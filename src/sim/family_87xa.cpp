#include "sim/family_87xa.h"

#include <bit>

#include "sim/violation_text.h"

namespace corvane::sim {

namespace {
constexpr int kRowWords = 8;
constexpr unsigned kAllLatches = 0xFF;
constexpr int kUserIds = 4;
}  // namespace

void Family87xA::entered() {
  clear_latches();
  last_load_ = kNoLoad;
  bulk_ = kNoBulkErase;
}

void Family87xA::clear_latches() {
  latches_.fill(kErasedWord);
  loaded_ = 0;
  data_latch_ = kErasedWord;
  data_loaded_ = false;
}

void Family87xA::loaded(LoadKind kind, std::uint16_t word, std::int64_t) {
  last_load_ = kind;
  if (kind == kDataLoad) {
    data_latch_ = word;
    data_loaded_ = true;
    return;
  }
  const int i = pc() % kRowWords;
  latches_[i] = word;
  loaded_ |= 1u << i;
}

void Family87xA::command(int code, std::int64_t t) {
  const BulkErase bulk = bulk_;
  bulk_ = kNoBulkErase;
  switch (code) {
    case 8:
      if (bulk != kNoBulkErase) {
        bulk_erase(t, bulk);
      } else {
        write(t, true);
      }
      break;
    case 24:
      write(t, false);
      break;
    case 23:
      end_programming(t);
      clear_latches();
      break;
    case 9:
      bulk_ = kBulkProgram;
      break;
    case 11:
      bulk_ = kBulkData;
      break;
    case 31:
      chip_erase(t);
      break;
    default:
      foreign(code, t);
      break;
  }
}

void Family87xA::finish(std::int64_t t, bool erase_first, const char* what, int address,
                        Undo undo) {
  if (erase_first) {
    const bool eeprom = last_load_ == kDataLoad;
    start_cycle(t, eeprom ? facts().eeprom_write_ns : facts().times.row_write_ns, what, address,
                std::move(undo));
  } else {
    begin_timed_by_host(t, facts().times.program_only_ns, what, address, std::move(undo));
  }
  clear_latches();
}

void Family87xA::write(std::int64_t t, bool erase_first) {
  if (last_load_ == kNoLoad) {
    violate(t, std::string(erase_first ? "Begin Erase/Programming" : "Begin Programming Only") +
                   " with nothing loaded since entering programming mode: nothing written");
    return;
  }
  if (last_load_ != kDataLoad) {
    write_program_space(t, erase_first);
    return;
  }
  if (!data_loaded_) {
    violate(t, "data EEPROM write with no Load since the previous write: 0xFF written at " +
                   Hex4(pc()));
  }
  Undo undo = memory().write_eeprom(pc(), data_latch_, erase_first);
  finish(t, erase_first, "EEPROM write", pc(), std::move(undo));
}

void Family87xA::write_program_space(std::int64_t t, bool erase_first) {
  const int row = pc() - pc() % kRowWords;
  Undo undo = memory().snapshot();
  if (pc() < kConfigBase) {
    if (erase_first && loaded_ != kAllLatches) {
      violate(t, "Begin Erase/Programming of the row at " + Hex4(row) + " with " +
                     std::to_string(std::popcount(loaded_)) +
                     " of its 8 latches loaded: the others write 0x3FFF");
    }
    for (int i = 0; i < kRowWords; ++i) {
      memory().write_program_space(row + i, latches_[i], erase_first);
    }
    finish(t, erase_first, "row write", row, std::move(undo));
    return;
  }
  const int slot = (pc() - kConfigBase) % facts().config_slots;
  if (slot < kUserIds) {
    for (int i = 0; i < kUserIds; ++i) {
      if (loaded_ & (1u << i)) memory().write_program_space(row + i, latches_[i], erase_first);
    }
    finish(t, erase_first, "user ID write", row, std::move(undo));
    return;
  }
  const int config_index = (kConfigWordAddress - kConfigBase) % kRowWords;
  if (slot != kConfigWordAddress - kConfigBase) {
    violate(t, "write at " + Hex4(pc()) + ", where nothing can be written: ignored");
    clear_latches();
    return;
  }
  if (!(loaded_ & (1u << config_index))) {
    violate(t,
            "configuration word write with no word loaded at " + Hex4(pc()) + ": nothing written");
    clear_latches();
    return;
  }
  memory().write_program_space(pc(), latches_[config_index], erase_first);
  finish(t, erase_first, "configuration word write", pc(), std::move(undo));
}

void Family87xA::bulk_erase(std::int64_t t, BulkErase which) {
  EraseSet what;
  const char* name = "";
  if (!bulk_erase_target(t, which, what, name)) return;
  start_cycle(t, facts().times.bulk_erase_ns, name, -1, memory().erase(what));
}

void Family87xA::chip_erase(std::int64_t t) {
  EraseSet what{.program = true,
                .eeprom = true,
                .user_ids = pc() >= kConfigBase,
                .config = true,
                .even_protected = true};
  start_cycle(t, facts().times.chip_erase_ns, "chip erase", -1, memory().erase(what));
}

}  // namespace corvane::sim
