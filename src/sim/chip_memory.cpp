#include "sim/chip_memory.h"

#include <stdexcept>
#include <string>

namespace corvane::sim {

namespace {
constexpr std::uint16_t kWordMask = 0x3FFF;
constexpr int kConfigSlots = 8;
constexpr int kUserIds = 4;
constexpr int kConfigWordSlot = kConfigWordAddress - kConfigBase;
constexpr int kConfig2Slot = kConfig2Address - kConfigBase;

void Check_Range(const char* what, int index, int size) {
  if (index < 0 || index >= size) {
    throw std::out_of_range(std::string(what) + " address " + std::to_string(index) +
                            " out of range");
  }
}
}  // namespace

ChipMemory::ChipMemory(ChipKind kind, int revision) : facts_(&Facts(kind)) {
  const int revision_bits = kWordMask & ~facts_->id_mask;
  device_id_ = facts_->id_base < 0
                   ? kErasedWord
                   : static_cast<std::uint16_t>(facts_->id_base | (revision & revision_bits));
  cells_.program.assign(static_cast<std::size_t>(facts_->program_words), kErasedWord);
  cells_.eeprom.assign(static_cast<std::size_t>(facts_->eeprom_bytes), kErasedByte);
  cells_.user_ids.fill(kErasedWord);
  cells_.config = kErasedWord;
  cells_.config2 = kErasedWord;
  stuck_program_.assign(static_cast<std::size_t>(facts_->program_words), false);
}

void ChipMemory::set_program(int address, std::uint16_t word) {
  Check_Range("program", address, facts_->program_words);
  cells_.program[address] = word & kWordMask;
}

void ChipMemory::set_eeprom(int address, std::uint8_t byte) {
  Check_Range("EEPROM", address, facts_->eeprom_bytes);
  cells_.eeprom[address] = byte;
}

void ChipMemory::set_user_id(int i, std::uint16_t word) {
  Check_Range("user ID", i, kUserIds);
  cells_.user_ids[i] = word & kWordMask;
}

void ChipMemory::set_config(std::uint16_t word) {
  cells_.config = static_cast<std::uint16_t>((word & kWordMask) | facts_->forced_ones);
}

void ChipMemory::set_config2(std::uint16_t word) {
  if (!facts_->has_config2) throw std::out_of_range("no configuration word 2 on this chip");
  cells_.config2 = static_cast<std::uint16_t>((word & kWordMask) | config2_forced_ones());
}

void ChipMemory::set_stuck(int address) {
  if (address >= kConfigBase) {
    const int slot = address - kConfigBase;
    if (slot >= kConfigSlots || (slot >= kUserIds && slot != kConfigWordSlot)) {
      throw std::out_of_range("no writable configuration cell at " + std::to_string(address));
    }
    stuck_config_ |= static_cast<std::uint8_t>(1u << slot);
    return;
  }
  Check_Range("program", address, facts_->program_words);
  stuck_program_[address] = true;
}

bool ChipMemory::program_protected(int address) const {
  const std::uint16_t c = cells_.config;
  if (facts_->protection != CodeProtection::kTwoCopies) {
    return (c & facts_->cp_mask) != facts_->cp_mask;
  }
  const int cp1 = (c >> 13) & (c >> 5) & 1;
  const int cp0 = (c >> 12) & (c >> 4) & 1;
  const int size = facts_->program_words;
  switch (cp1 * 2 + cp0) {
    case 3:
      return false;
    case 2:
      return address >= size - 256;
    case 1:
      return address >= size / 2;
    default:
      return true;
  }
}

bool ChipMemory::eeprom_protected() const {
  if (facts_->cpd_bit == 0) return program_protected(0);
  return (cells_.config & facts_->cpd_bit) == 0;
}

std::uint16_t ChipMemory::read_program_space(int pc) const {
  if (pc < kConfigBase) {
    const int a = program_address(pc);
    return program_protected(a) ? 0 : cells_.program[a];
  }
  const int slot = config_slot(pc);
  if (slot < kUserIds) return cells_.user_ids[slot];
  if (slot == kDeviceIdAddress - kConfigBase) return device_id_;
  if (slot == kConfigWordSlot) return cells_.config;
  if (slot == kConfig2Slot && facts_->has_config2) return cells_.config2;
  return kErasedWord;  // reserved locations (0x2004-0x2005 and above) read as erased cells
}

std::uint8_t ChipMemory::read_eeprom(int pc) const {
  if (eeprom_protected()) return 0;
  return cells_.eeprom[pc % facts_->eeprom_bytes];
}

Undo ChipMemory::write_program_space(int pc, std::uint16_t latch, bool erase_first) {
  latch &= kWordMask;
  Undo u;
  if (pc < kConfigBase) {
    const int a = program_address(pc);
    if (program_protected(a) || stuck_program_[a]) return u;
    u = Undo{Undo::kProgram, a, cells_.program[a], std::nullopt};
    cells_.program[a] = erase_first ? latch : (cells_.program[a] & latch);
    return u;
  }
  const int slot = config_slot(pc);
  if (slot < kConfigSlots && (stuck_config_ & (1u << slot))) return u;
  if (slot == kConfig2Slot && facts_->has_config2) {
    const std::uint16_t old = cells_.config2;
    u = Undo{Undo::kConfig2, 0, old, std::nullopt};
    cells_.config2 =
        static_cast<std::uint16_t>((erase_first ? latch : (old & latch)) | config2_forced_ones());
    return u;
  }
  if (slot < kUserIds) {
    u = Undo{Undo::kUserId, slot, cells_.user_ids[slot], std::nullopt};
    cells_.user_ids[slot] = erase_first ? latch : (cells_.user_ids[slot] & latch);
    return u;
  }
  if (slot != kConfigWordSlot) return u;  // device ID and reserved cells cannot be written
  const std::uint16_t old = cells_.config;
  const std::uint16_t written = erase_first ? latch : (old & latch);
  const std::uint16_t sticky = sticky_mask();
  u = Undo{Undo::kConfig, 0, old, std::nullopt};
  cells_.config = static_cast<std::uint16_t>((written & ~sticky & kWordMask) |
                                             (written & old & sticky) | facts_->forced_ones);
  return u;
}

Undo ChipMemory::write_eeprom(int pc, std::uint16_t latch, bool erase_first) {
  if (eeprom_protected()) return Undo{};
  const int a = pc % facts_->eeprom_bytes;
  Undo u{Undo::kEeprom, a, cells_.eeprom[a], std::nullopt};
  const std::uint8_t byte = static_cast<std::uint8_t>(latch & 0xFF);
  cells_.eeprom[a] = erase_first ? byte : static_cast<std::uint8_t>(cells_.eeprom[a] & byte);
  return u;
}

Undo ChipMemory::erase_program(bool with_user_ids) {
  Undo u{Undo::kAll, 0, 0, cells_};
  for (int a = 0; a < facts_->program_words; ++a) {
    if (!program_protected(a) && !stuck_program_[a]) cells_.program[a] = kErasedWord;
  }
  if (with_user_ids) {
    for (int i = 0; i < kUserIds; ++i) {
      if (!(stuck_config_ & (1u << i))) cells_.user_ids[i] = kErasedWord;
    }
  }
  return u;
}

Undo ChipMemory::erase_eeprom() {
  if (eeprom_protected()) return Undo{};
  Undo u{Undo::kAll, 0, 0, cells_};
  cells_.eeprom.assign(cells_.eeprom.size(), kErasedByte);
  return u;
}

Undo ChipMemory::chip_erase() {
  Undo u{Undo::kAll, 0, 0, cells_};
  for (int a = 0; a < facts_->program_words; ++a) {
    if (!stuck_program_[a]) cells_.program[a] = kErasedWord;
  }
  cells_.eeprom.assign(cells_.eeprom.size(), kErasedByte);
  for (int i = 0; i < kUserIds; ++i) {
    if (!(stuck_config_ & (1u << i))) cells_.user_ids[i] = kErasedWord;
  }
  if (!(stuck_config_ & (1u << kConfigWordSlot))) cells_.config = kErasedWord;
  return u;
}

Undo ChipMemory::erase(const EraseSet& what) {
  Undo u = snapshot();
  if (what.program) {
    for (int a = 0; a < facts_->program_words; ++a) {
      if ((what.even_protected || !program_protected(a)) && !stuck_program_[a]) {
        cells_.program[a] = kErasedWord;
      }
    }
  }
  if (what.eeprom && (what.even_protected || !eeprom_protected())) {
    cells_.eeprom.assign(cells_.eeprom.size(), kErasedByte);
  }
  if (what.user_ids) {
    for (int i = 0; i < kUserIds; ++i) {
      if (!(stuck_config_ & (1u << i))) cells_.user_ids[i] = kErasedWord;
    }
  }
  if (what.config) {
    if (!(stuck_config_ & (1u << kConfigWordSlot))) {
      cells_.config = static_cast<std::uint16_t>(kErasedWord | facts_->forced_ones);
    }
    if (facts_->has_config2) cells_.config2 = kErasedWord;
  }
  return u;
}

void ChipMemory::undo(Undo& u) {
  switch (u.target) {
    case Undo::kNone:
      break;
    case Undo::kProgram:
      cells_.program[u.index] = u.old;
      break;
    case Undo::kUserId:
      cells_.user_ids[u.index] = u.old;
      break;
    case Undo::kConfig:
      cells_.config = u.old;
      break;
    case Undo::kConfig2:
      cells_.config2 = u.old;
      break;
    case Undo::kEeprom:
      cells_.eeprom[u.index] = static_cast<std::uint8_t>(u.old);
      break;
    case Undo::kAll:
      cells_ = std::move(*u.all);
      break;
  }
  u = Undo{};
}

}  // namespace corvane::sim
