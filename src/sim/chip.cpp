#include "sim/chip.h"

#include <algorithm>
#include <stdexcept>

#include "sim/family.h"
#include "sim/timing.h"
#include "sim/violation_text.h"

namespace corvane::sim {

namespace {
constexpr std::int64_t kLongAgo = INT64_MIN / 4;
constexpr int kProgramSpaceMask = 0x1FFF;
constexpr std::uint16_t kLvpBit = 0x0080;
// 88 family: MCLRE (bit 5); FOSC2:0 (bits 4, 1, 0) at 10x select the internal oscillator.
constexpr std::uint16_t kMclreBit = 0x0020;
constexpr std::uint16_t kFosc21Bits = 0x0012;
constexpr std::uint16_t kFoscIntrc = 0x0010;

bool At_Config_Word(int pc) {
  return pc >= kConfigBase && (pc - kConfigBase) % 8 == kConfigWordAddress - kConfigBase;
}
}  // namespace

Chip::Chip(ChipKind kind, int revision)
    : kind_(kind),
      memory_(kind, revision < 0 ? Facts(kind).default_revision : revision),
      clock_low_since_(kLongAgo),
      data_low_since_(kLongAgo),
      output_changed_ns_(kLongAgo) {
  if (revision > 0x1F) throw std::invalid_argument("revision above 31");
  family_ = Family::For(*this);
}

Chip::~Chip() = default;

std::uint16_t Chip::program(int address) const {
  if (address < 0 || address >= program_size()) throw std::out_of_range("program address");
  return memory_.cells().program[address];
}

std::uint8_t Chip::eeprom(int address) const {
  if (address < 0 || address >= eeprom_size()) throw std::out_of_range("EEPROM address");
  return memory_.cells().eeprom[address];
}

std::uint16_t Chip::user_id(int i) const {
  if (i < 0 || i >= 4) throw std::out_of_range("user ID index");
  return memory_.cells().user_ids[i];
}

void Chip::clear_violations() {
  violations_.clear();
  violations_dropped_ = 0;
}

void Chip::violate(std::int64_t t, std::string what) {
  if (violations_.size() < kMaxViolations) {
    violations_.push_back(Violation{t, std::move(what)});
  } else {
    ++violations_dropped_;
  }
}

bool Chip::drives_lines() const {
  return program_drives_ && pins_.vdd && !pins_.vpp && !pins_.mclr_low && !programming_;
}

void Chip::apply(std::int64_t t, const Pins& p) {
  // Whether the program ran up to this instant: MCLR rising to Vpp resets it only as it arrives.
  const bool ran = drives_lines();
  if (pins_.vdd && !p.vdd) {
    if (programming_ && pins_.vpp && p.vpp) {
      violate(t,
              "Vdd removed while MCLR was at Vpp: programming mode is left by removing Vpp first");
    }
    pins_.vdd = false;
    power_lost(t);
  }
  if (pins_.vpp && !p.vpp) {
    pins_.vpp = false;
    vpp_removed(t);
  }
  if (pins_.data != p.data) {
    pins_.data = p.data;
    data_changed(t);
  }
  if (pins_.clock != p.clock) {
    pins_.clock = p.clock;
    clock_changed(t);
  }
  if (pins_.pgm != p.pgm) {
    pins_.pgm = p.pgm;
    pgm_changed(t);
  }
  if (!pins_.vdd && p.vdd) {
    pins_.vdd = true;
    power_applied(t);
  }
  pins_.mclr_low = p.mclr_low;
  if (!pins_.vpp && p.vpp) {
    pins_.vpp = true;
    vpp_since_ = t;
    if (pins_.vdd && !p.mclr_discharged && left_by_vpp_) {
      resume(t);
    } else if (pins_.vdd && !entry_refused(t)) {
      try_enter(t, t, ran);
      vdd_first_entry_ = programming_ && memory_.facts().family == ChipFamily::F62xA;
    }
  }
}

// Losing power resets the chip; the cells keep what they hold.
void Chip::power_lost(std::int64_t t) {
  leave_programming(t, "power lost");
  left_by_vpp_ = false;
}

void Chip::vpp_removed(std::int64_t t) {
  if (programming_ && pins_.clock) {
    violate(t, "Vpp removed with the clock high: programming mode is left with clock and data low");
  }
  if (programming_) {
    left_by_vpp_ = true;
    left_ns_ = t;
    left_pc_ = pc_;
  }
  leave_programming(t, "Vpp removed");
}

// Vpp back before MCLR fell to the reset level: the chip never left programming mode as far as
// its address counter goes, so the next command works where the last one stopped.
void Chip::resume(std::int64_t t) {
  violate(t, "Vpp applied again " + Duration(t - left_ns_) +
                 " after it was removed, before MCLR had fallen to the reset level: the address "
                 "counter stayed at " +
                 Hex4(left_pc_) + " instead of starting at 0");
  try_enter(t, t, false);
  pc_ = left_pc_;
}

void Chip::leave_programming(std::int64_t t, const char* cause) {
  if (!programming_) return;
  end_cycle(t, cause);
  if (family_) family_->leaving(t, cause);
  programming_ = false;
  drive_low_ = false;
}

// Vpp may come first: the chip still enters when Vdd follows within kVddAfterVppNs. The 62xA
// enters this way only, Vdd at least Tppdp after Vpp.
void Chip::power_applied(std::int64_t t) {
  vdd_since_ = t;
  if (!pins_.vpp) return;
  if (memory_.facts().family == ChipFamily::F62xA) {
    if (t - vpp_since_ < kThld0Ns) {
      violate(t, "Vdd only " + Duration(t - vpp_since_) + " after MCLR reached Vpp (Tppdp needs " +
                     Duration(kThld0Ns) + ")");
    }
    vdd_first_entry_ = false;
    try_enter(t, vpp_since_, false);
    return;
  }
  if (t - vpp_since_ <= kVddAfterVppNs) try_enter(t, vpp_since_, false);
}

// The families' rules for MCLR reaching Vpp with Vdd already present: true when the chip does not
// enter programming mode.
bool Chip::entry_refused(std::int64_t t) {
  const ChipFacts& f = memory_.facts();
  // The 62xA enters all the same (its reads answer) but does not take a write so: see
  // start_cycle.
  if (f.family == ChipFamily::F62xA) return false;
  const std::uint16_t c = memory_.cells().config;
  if (f.family == ChipFamily::F88 && t - vdd_since_ > kTpuNs88 && (c & kMclreBit) == 0 &&
      (c & kFosc21Bits) == kFoscIntrc) {
    violate(t, "MCLR reached Vpp " + Duration(t - vdd_since_) +
                   " after Vdd, with the internal oscillator and MCLRE = 0 in the configuration "
                   "word: the program was already running (tpu allows " +
                   Duration(kTpuNs88) + "); programming mode not entered");
    return true;
  }
  return false;
}

// The 62xA's PGM pin is edge-sensitive while LVP = 1: an edge resets the address counter.
void Chip::pgm_changed(std::int64_t t) {
  if (!programming_ || memory_.facts().family != ChipFamily::F62xA) return;
  if ((memory_.cells().config & kLvpBit) == 0) return;
  violate(t, std::string("PGM went ") + (pins_.pgm ? "high" : "low") +
                 " in programming mode while LVP = 1: the address counter went back to 0 "
                 "from " +
                 Hex4(pc_));
  pc_ = 0;
}

void Chip::try_enter(std::int64_t t, std::int64_t vpp_t, bool lines_driven) {
  if (lines_driven) {
    violate(t,
            "MCLR reached Vpp while the chip's program drove the clock and data lines high: "
            "programming mode not entered");
    return;
  }
  if (pins_.clock || pins_.data) {
    violate(t, "MCLR reached Vpp with the clock or data line high: programming mode not entered");
    return;
  }
  const std::int64_t held = vpp_t - std::max(clock_low_since_, data_low_since_);
  if (held < kThld0Ns) {
    violate(t, "clock and data low only " + Duration(held) +
                   " before MCLR reached Vpp (Thld0 needs " + Duration(kThld0Ns) + ")");
  }
  programming_ = true;
  entered_ns_ = t;
  clock_seen_ = false;
  last_fall_latched_ = false;
  last_data_change_ns_ = kLongAgo;
  framer_.reset();
  pc_ = 0;
  latch_ = kErasedWord;
  pending_load_ = kNoLoad;
  last_load_ = kNoLoad;
  loaded_since_write_ = false;
  erase_ = kNoErase;
  setup1_ = false;
  drive_low_ = false;
  output_changed_ns_ = kLongAgo;
  if (family_) family_->entered();
}

void Chip::data_changed(std::int64_t t) {
  if (!pins_.data) data_low_since_ = t;
  if (!programming_) return;
  if (last_fall_latched_ && t - last_fall_ns_ < kThld1Ns) {
    violate(t, "data changed " + Duration(t - last_fall_ns_) +
                   " after the falling clock edge that latched it (Thld1 needs " +
                   Duration(kThld1Ns) + ")");
  }
  last_data_change_ns_ = t;
}

void Chip::clock_changed(std::int64_t t) {
  if (!pins_.clock) clock_low_since_ = t;
  if (!programming_) return;
  if (cycle_active_) end_cycle(t, "clock edge");
  if (pins_.clock) {
    rising(t);
  } else {
    falling(t);
  }
}

void Chip::rising(std::int64_t t) {
  if (framer_.phase() == Framer::kCommand && framer_.count() == 0) command_start_ns_ = t;
  if (!clock_seen_) {
    clock_seen_ = true;
    if (t - entered_ns_ < kThld0Ns) {
      violate(t, "first clock " + Duration(t - entered_ns_) +
                     " after entering programming mode (Thld0 needs " + Duration(kThld0Ns) + ")");
    }
  } else if (framer_.count() == 0) {
    const bool data_phase = framer_.phase() != Framer::kCommand;
    const std::int64_t need = data_phase ? kTdly1Ns : kTdly2Ns;
    if (t - last_fall_ns_ < need) {
      violate(t, std::string(data_phase ? "data phase" : "command") + " began " +
                     Duration(t - last_fall_ns_) + " after the last falling edge (" +
                     (data_phase ? "Tdly1" : "Tdly2") + " needs " + Duration(need) + ")");
    }
  }
  if (framer_.phase() == Framer::kRead) {
    const int clock = framer_.count() + 1;
    if (clock >= 2 && clock <= 15) {
      drive(((out_word_ >> (clock - 2)) & 1) != 0, t);
    } else if (clock == 16) {
      drive(true, t);  // released
    }
  }
}

void Chip::falling(std::int64_t t) {
  const bool latches = framer_.next_fall_latches();
  if (latches && t - last_data_change_ns_ < kTset1Ns) {
    violate(t, "data set " + Duration(t - last_data_change_ns_) +
                   " before the falling clock edge (Tset1 needs " + Duration(kTset1Ns) + ")");
  }
  last_fall_ns_ = t;
  last_fall_latched_ = latches;
  switch (framer_.fall(pins_.data)) {
    case Framer::kCommandDone:
      execute(framer_.value(), t);
      break;
    case Framer::kLoadDone:
      latch_ = static_cast<std::uint16_t>(framer_.value());
      last_load_ = pending_load_;
      loaded_since_write_ = true;
      if (pending_load_ == kConfigLoad) pc_ = kConfigBase;
      if (family_) family_->loaded(pending_load_, latch_, t);
      break;
    case Framer::kReadDone:
      drive_low_ = false;
      break;
    case Framer::kNothing:
      break;
  }
}

void Chip::execute(int code, std::int64_t t) {
  if (family_) {
    execute_family(code, t);
    return;
  }
  const auto clear_erase = [this] {
    erase_ = kNoErase;
    setup1_ = false;
  };
  switch (code) {
    case 0:
      pending_load_ = kConfigLoad;
      clear_erase();
      break;
    case 2:
      pending_load_ = kProgramLoad;
      clear_erase();
      break;
    case 3:
      pending_load_ = kDataLoad;
      clear_erase();
      break;
    case 4:
      out_word_ = memory_.read_program_space(pc_);
      clear_erase();
      break;
    case 5:
      out_word_ = memory_.read_eeprom(pc_);
      clear_erase();
      break;
    case 6:
      pc_ = pc_ < kConfigBase ? (pc_ + 1) & kProgramSpaceMask
                              : kConfigBase + ((pc_ + 1 - kConfigBase) & kProgramSpaceMask);
      clear_erase();
      break;
    case 1:
      setup1_ = true;
      break;
    case 7:
      if (setup1_ && erase_ == kNoErase) erase_ = kSetupErase;
      setup1_ = false;
      break;
    case 9:
      erase_ = kEraseProgram;
      setup1_ = false;
      break;
    case 11:
      erase_ = kEraseData;
      setup1_ = false;
      break;
    case 8:
      begin_cycle(t, true);
      break;
    case 24:
      if (kind_ == ChipKind::Pic16F84) {
        violate(t,
                "command 24 (Begin Programming Only) sent to a PIC16F84, which has none: ignored");
        break;
      }
      begin_cycle(t, false);
      break;
    default:
      break;  // undefined codes are ignored and take no data phase
  }
}

// The loads, reads and Increment Address are every family's; the rest is the family's own.
void Chip::execute_family(int code, std::int64_t t) {
  family_->decoded(code, t);
  switch (code) {
    case 0:
      pending_load_ = kConfigLoad;
      break;
    case 2:
      pending_load_ = kProgramLoad;
      break;
    case 3:
      pending_load_ = kDataLoad;
      break;
    case 4:
      out_word_ = memory_.read_program_space(pc_);
      break;
    case 5:
      out_word_ = memory_.read_eeprom(pc_);
      break;
    case 6:
      pc_ = family_->next_pc(pc_);
      break;
    default:
      family_->command(code, t);
      break;
  }
}

void Chip::start_cycle(std::int64_t t, std::int64_t duration, const char* what, int address,
                       Undo undo) {
  if (vdd_first_entry_) {
    violate(t, std::string(what) + " begun in a programming mode entered with Vdd already present: the " +
                   std::string(memory_.facts().name) + " enters with Vpp first, then Vdd");
  }
  undo_ = std::move(undo);
  cycle_what_ = what;
  cycle_address_ = address;
  cycle_active_ = true;
  cycle_start_ns_ = t;
  cycle_end_ns_ = t + duration;
}

void Chip::begin_cycle(std::int64_t t, bool erase_first) {
  const ChipFacts& f = memory_.facts();
  std::int64_t duration = 0;
  cycle_address_ = pc_;
  if (erase_ != kNoErase && erase_first) {
    duration = kBulkEraseNs;
    cycle_address_ = -1;
    const bool data = erase_ == kEraseData || (erase_ == kSetupErase && last_load_ == kDataLoad);
    if (data) {
      undo_ = memory_.erase_eeprom();
      cycle_what_ = "data EEPROM bulk erase";
    } else if (erase_ == kSetupErase && At_Config_Word(pc_)) {
      undo_ = memory_.chip_erase();
      cycle_what_ = "chip erase";
    } else {
      undo_ = memory_.erase_program(pc_ >= kConfigBase);
      cycle_what_ = "program memory bulk erase";
    }
  } else {
    if (last_load_ == kNoLoad) {
      violate(t,
              "Begin Programming with no data loaded since entering programming mode: "
              "nothing written");
      erase_ = kNoErase;
      setup1_ = false;
      return;
    }
    if (!loaded_since_write_) {
      violate(t,
              "Begin Programming with no Load since the previous write: the old latch is "
              "written again at " +
                  Hex4(pc_));
    }
    loaded_since_write_ = false;
    if (last_load_ == kDataLoad) {
      duration = f.eeprom_write_ns;
      undo_ = memory_.write_eeprom(pc_, latch_, erase_first);
      cycle_what_ = "EEPROM write";
    } else {
      duration = erase_first ? f.program_word_ns : f.program_only_ns;
      undo_ = memory_.write_program_space(pc_, latch_, erase_first);
      cycle_what_ = "program write";
    }
  }
  erase_ = kNoErase;
  setup1_ = false;
  cycle_active_ = true;
  cycle_start_ns_ = t;
  cycle_end_ns_ = t + duration;
}

void Chip::end_cycle(std::int64_t t, const char* cause) {
  if (!cycle_active_) return;
  cycle_active_ = false;
  busy_ns_ += t - cycle_start_ns_;
  if (t >= cycle_end_ns_) {
    undo_ = Undo{};  // the cycle completed: the cells keep their new contents
    return;
  }
  memory_.undo(undo_);
  std::string what = std::string(cause) + " " + Duration(t - cycle_start_ns_) + " into the " +
                     Duration(cycle_end_ns_ - cycle_start_ns_) + " " + cycle_what_;
  if (cycle_address_ >= 0) what += " at " + Hex4(cycle_address_);
  violate(t, what + ": the write is lost");
}

void Chip::drive(bool bit, std::int64_t t) {
  drive_low_ = !bit;
  output_changed_ns_ = t;
}

void Chip::host_samples(std::int64_t t) {
  if (!programming_) return;
  const std::int64_t since = t - output_changed_ns_;
  if (since < kTdly3Ns) {
    violate(t, "data line read " + Duration(since) +
                   " after the chip changed its output (valid only after Tdly3, " +
                   Duration(kTdly3Ns) + ")");
  }
}

}  // namespace corvane::sim
