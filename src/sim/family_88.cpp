#include "sim/family_88.h"

#include "sim/violation_text.h"

namespace corvane::sim {

namespace {
constexpr int kGroupWords = 4;
constexpr int kEraseRowWords = 32;
constexpr int kUserIds = 4;
constexpr int kConfigWordSlot = kConfigWordAddress - kConfigBase;
constexpr int kConfig2Slot = kConfig2Address - kConfigBase;
}  // namespace

void Family88::entered() {
  clear_latches();
  last_load_ = kNoLoad;
  bulk_ = kNoBulkErase;
}

void Family88::clear_latches() {
  latches_.fill(kErasedWord);
  data_latch_ = kErasedWord;
}

// Load Configuration only moves PC: its data word is discarded.
void Family88::loaded(LoadKind kind, std::uint16_t word, std::int64_t) {
  last_load_ = kind;
  if (kind == kDataLoad) {
    data_latch_ = word;
  } else if (kind == kProgramLoad) {
    latches_[pc() % kGroupWords] = word;
  }
}

// From 0x1FFF the counter goes on into configuration memory.
int Family88::next_pc(int pc) const {
  if (pc < kConfigBase) return pc + 1;
  return Family::next_pc(pc);
}

void Family88::command(int code, std::int64_t t) {
  const BulkErase bulk = bulk_;
  bulk_ = kNoBulkErase;
  switch (code) {
    case 8:
      if (bulk != kNoBulkErase) {
        bulk_erase(t, bulk);
      } else {
        begin_erase(t);
      }
      break;
    case 24:
      begin_programming(t);
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
      start_cycle(t, facts().times.chip_erase_ns, "chip erase", -1,
                  memory().erase(EraseSet{.program = true,
                                          .eeprom = true,
                                          .user_ids = pc() >= kConfigBase,
                                          .config = true,
                                          .even_protected = true}));
      break;
    default:
      foreign(code, t);
      break;
  }
}

// Until a Load after entry the programming pointer aims at no memory.
bool Family88::knows_memory(std::int64_t t, const char* command) {
  if (last_load_ != kNoLoad) return true;
  violate(t, std::string(command) +
                 " with no Load since entering programming mode (a Load picks the memory): "
                 "ignored");
  return false;
}

void Family88::begin_erase(std::int64_t t) {
  if (!knows_memory(t, "Begin Erase")) return;
  const std::int64_t wait = facts().times.row_erase_ns;
  if (last_load_ == kDataLoad) {
    begin_timed_by_host(t, wait, "data EEPROM byte erase", pc(),
                        memory().write_eeprom(pc(), kErasedWord, true));
    return;
  }
  Undo undo = memory().snapshot();
  if (pc() >= kConfigBase) {
    const int base = pc() - (pc() - kConfigBase) % facts().config_slots;
    for (int i = 0; i < kUserIds; ++i) memory().write_program_space(base + i, kErasedWord, true);
    begin_timed_by_host(t, wait, "user ID erase", base, std::move(undo));
    return;
  }
  const int row = pc() - pc() % kEraseRowWords;
  for (int i = 0; i < kEraseRowWords; ++i) {
    memory().write_program_space(row + i, kErasedWord, true);
  }
  begin_timed_by_host(t, wait, "row erase", row, std::move(undo));
}

void Family88::begin_programming(std::int64_t t) {
  if (!knows_memory(t, "Begin Programming Only")) return;
  const std::int64_t wait = facts().times.program_only_ns;
  if (last_load_ == kDataLoad) {
    begin_timed_by_host(t, wait, "EEPROM write", pc(),
                        memory().write_eeprom(pc(), data_latch_, false));
    return;
  }
  if (pc() >= kConfigBase) {
    program_configuration(t);
    return;
  }
  const int group = pc() - pc() % kGroupWords;
  Undo undo = memory().snapshot();
  for (int i = 0; i < kGroupWords; ++i) {
    memory().write_program_space(group + i, latches_[i], false);
  }
  begin_timed_by_host(t, wait, "program write", group, std::move(undo));
}

// The user IDs are programmed (ANDed) from their latches; a configuration word is written as
// loaded, only when PC is exactly at it.
void Family88::program_configuration(std::int64_t t) {
  const int slot = (pc() - kConfigBase) % facts().config_slots;
  const std::int64_t wait = facts().times.program_only_ns;
  Undo undo = memory().snapshot();
  if (slot < kUserIds) {
    const int base = pc() - slot;
    for (int i = 0; i < kUserIds; ++i) {
      memory().write_program_space(base + i, latches_[i], false);
    }
    begin_timed_by_host(t, wait, "user ID write", base, std::move(undo));
  } else if (slot == kConfigWordSlot || (slot == kConfig2Slot && facts().has_config2)) {
    memory().write_program_space(pc(), latches_[pc() % kGroupWords], true);
    begin_timed_by_host(t, wait, "configuration word write", pc(), std::move(undo));
  } else {
    violate(t,
            "Begin Programming Only at " + Hex4(pc()) + ", where nothing can be written: ignored");
  }
}

void Family88::bulk_erase(std::int64_t t, BulkErase which) {
  EraseSet what;
  const char* name = "";
  if (!bulk_erase_target(t, which, what, name)) return;
  begin_timed_by_host(t, facts().times.bulk_erase_ns, name, -1, memory().erase(what));
}

}  // namespace corvane::sim
