#include "sim/family.h"

#include "sim/family_62xa.h"
#include "sim/family_87xa.h"
#include "sim/family_88.h"
#include "sim/violation_text.h"

namespace corvane::sim {

namespace {
constexpr int kEndProgramming = 23;
constexpr int kProgramSpaceMask = 0x1FFF;
}  // namespace

std::unique_ptr<Family> Family::For(Chip& chip) {
  switch (Facts(chip.kind()).family) {
    case ChipFamily::F87xA:
      return std::make_unique<Family87xA>(chip);
    case ChipFamily::F62xA:
      return std::make_unique<Family62xA>(chip);
    case ChipFamily::F88:
      return std::make_unique<Family88>(chip);
    case ChipFamily::F84:
    case ChipFamily::F84A87x:
      break;
  }
  return nullptr;
}

int Family::next_pc(int pc) const {
  return pc < kConfigBase ? (pc + 1) & kProgramSpaceMask
                          : kConfigBase + ((pc + 1 - kConfigBase) & kProgramSpaceMask);
}

void Family::decoded(int code, std::int64_t t) {
  if (host_op_.active && code != kEndProgramming) {
    cut_short(t, "command " + std::to_string(code) + " before End Programming");
  }
}

void Family::leaving(std::int64_t t, const char* cause) {
  if (host_op_.active) cut_short(t, cause);
}

void Family::foreign(int code, std::int64_t t) {
  violate(t,
          "command " + std::to_string(code) + " is not one of the " + chip_name() + "'s: ignored");
}

void Family::begin_timed_by_host(std::int64_t t, std::int64_t min_ns, std::string what, int address,
                                 Undo undo) {
  host_op_ = HostTimedOp{true, t, min_ns, std::move(what), address, std::move(undo)};
}

bool Family::end_programming(std::int64_t t) {
  if (!host_op_.active) return false;
  const std::int64_t waited = chip_.command_start_ns_ - host_op_.start_ns;
  chip_.busy_ns_ += waited;
  if (waited < host_op_.min_ns) {
    cut_short(t, "End Programming " + Duration(waited) + " after it began (needs " +
                     Duration(host_op_.min_ns) + ")");
    return true;
  }
  host_op_ = HostTimedOp{};  // done: the cells keep their new contents
  return true;
}

void Family::cut_short(std::int64_t t, const std::string& cause) {
  memory().undo(host_op_.undo);
  std::string text = "the " + host_op_.what;
  if (host_op_.address >= 0) text += " at " + Hex4(host_op_.address);
  violate(t, text + " was cut short by " + cause + ": the cells keep their old contents");
  host_op_ = HostTimedOp{};
}

bool Family::bulk_erase_target(std::int64_t t, BulkErase which, EraseSet& what,
                               const char*& name) {
  if (which == kBulkProgram) {
    if (memory().program_protected(0)) {
      violate(t,
              "Bulk Erase Program refused while CP = 0 (only Chip Erase clears protected "
              "memory): nothing erased");
      return false;
    }
    what.program = true;
    what.user_ids = pc() >= kConfigBase;
    name = "program memory bulk erase";
    return true;
  }
  if (memory().eeprom_protected()) {
    violate(t,
            "Bulk Erase Data refused while CPD = 0 (only Chip Erase clears protected memory): "
            "nothing erased");
    return false;
  }
  what.eeprom = true;
  name = "data EEPROM bulk erase";
  return true;
}

}  // namespace corvane::sim
