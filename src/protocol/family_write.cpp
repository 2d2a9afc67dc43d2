#include "protocol/family_write.h"

#include <algorithm>
#include <string>

#include "protocol/family_rules.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

namespace {

constexpr std::int32_t kBlank = 0x3FFF;

const FamilyRules& Rules(const ChipEntry& chip) { return *Rules_For(chip.family); }

void Enter(Context& ctx, Pause before, Pause entered) {
  Lines& l = ctx.lines;
  l.Vpp_Off();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(before);
  l.Vpp_On();
  l.Wait(entered);
}

void Leave(Context& ctx, Pause end) {
  ctx.lines.Vpp_Off();
  ctx.lines.Vdd_On();
  ctx.lines.Wait(end);
}

void Increment(Lines& l, Pause p) {
  Send_Command(l, kIncrementAddress);
  l.Wait(p);
}

void Load(Lines& l, int command, std::int32_t word) {
  Send_Command(l, command);
  l.Wait(Pause::kWriteBlockLoad);
  Send_Data(l, word);
  l.Wait(Pause::kWriteBlockData);
}

// A write or erase begun by `command`: an internally timed one waits out the chip's time
// (`internal_ns`, the table's figure) at `internal`; an externally timed one at least its
// programming time and is stopped by End Programming.
void Begin(Lines& l, const FamilyRules& r, int command, Pause internal, std::int64_t internal_ns) {
  Send_Command(l, command);
  if (r.Ends(command)) {
    const bool program_only = command == kBeginProgrammingOnly;
    l.Wait_Cycle(program_only ? Pause::kWriteBlockProgramOnly : internal,
                 program_only ? r.program_only_ns : internal_ns);
    Send_Command(l, kEndProgramming);
  } else {
    l.Wait_Cycle(internal, internal_ns);
  }
}

// In programming mode: program memory erased in bulk, from where the address counter is (in the
// configuration area, the user IDs go too on the 62xA and 88).
void Erase_Program_Memory(Lines& l, const ChipEntry& chip) {
  const FamilyRules& r = Rules(chip);
  if (r.family == ChipFamily::k62xA) {
    Load(l, kLoadDataProgram, kBlank);
    Send_Command(l, kBulkEraseProgram);  // self-timed
    l.Wait_Cycle(Pause::kEraseCycle, chip.erase_ns);
    return;
  }
  // The 88 takes a Begin Erase only after a Load has told it which memory.
  if (r.family == ChipFamily::k88) Load(l, kLoadDataProgram, kBlank);
  Send_Command(l, kBulkEraseProgram);
  Begin(l, r, kBeginProgramming, Pause::kEraseCycle, chip.erase_ns);
}

void Report(Context& ctx, const std::string& prefix, int address, std::int32_t read,
            std::int32_t wanted) {
  ctx.panel.Message_Box(prefix + "Error at @ : " + Hex(address) + " Read :" + Hex(read) +
                        " instead of :" + Hex(wanted));
  ctx.st.WriteError = 1;
}

// Reads program words 0 .. n-1 back in an entry of their own; false (out of programming mode,
// the message shown) at the first that is not the image's.
bool Read_Back(Context& ctx, int n) {
  WorkingState& st = ctx.st;
  Lines& l = ctx.lines;
  Enter(ctx, Pause::kReadBlockBefore, Pause::kReadBlockEntered);
  for (int a = 0; a < n; ++a) {
    Send_Command(l, kReadDataProgram);
    Read_Data(l, st.ReadBuffer[a]);
    l.Wait(Pause::kReadBlockWord);
    if (st.ReadBuffer[a] != st.ProgramImage[a]) {
      Leave(ctx, Pause::kWriteBlockEnd);
      Report(ctx, "", a, st.ReadBuffer[a], st.ProgramImage[a]);
      return false;
    }
    Increment(l, Pause::kReadBlockIncrement);
  }
  Leave(ctx, Pause::kReadBlockEnd);
  return true;
}

bool Unit_Is_Blank(const WorkingState& st, int first, int unit, int n) {
  for (int a = first; a < std::min(first + unit, n); ++a) {
    if (st.ProgramImage[a] != kBlank) return false;
  }
  return true;
}

std::int32_t Config_Image(const WorkingState& st, int address) {
  return address == 0x2007 ? st.ConfigWord : st.ConfigWord2;
}

}  // namespace

void Family_Write_Program(Context& ctx, const ChipEntry& chip, int n, bool erase_ids) {
  WorkingState& st = ctx.st;
  Lines& l = ctx.lines;
  const FamilyRules& r = Rules(chip);
  st.WriteError = 0;
  n = std::clamp(n, 0, chip.program_words);
  ctx.panel.Set_Status("Status", "Writing to Device");
  Enter(ctx, Pause::kWriteBlockBefore, Pause::kWriteBlockEntered);
  if (erase_ids && r.family != ChipFamily::k87xA) {
    // From the configuration area the bulk erase takes the user IDs too; the address counter
    // comes back to 0 only with a new entry.
    Send_Command(l, kLoadConfiguration);
    Send_Data(l, kBlank);
    l.Wait(Pause::kWriteBlockData);
    Erase_Program_Memory(l, chip);
    Leave(ctx, Pause::kWriteBlockEnd);
    Enter(ctx, Pause::kWriteBlockBefore, Pause::kWriteBlockEntered);
  } else {
    Erase_Program_Memory(l, chip);
  }
  const int begin = st.Speed == kFastSpeed ? r.fast_begin : r.begin;
  for (int first = 0; first < n; first += r.unit) {
    if (Unit_Is_Blank(st, first, r.unit, n)) {
      for (int i = 0; i < r.unit; ++i) Increment(l, Pause::kWriteBlockIncrement);
    } else {
      for (int i = 0; i < r.unit; ++i) {
        if (i > 0) Increment(l, Pause::kWriteBlockIncrement);
        const int a = first + i;
        Load(l, kLoadDataProgram, a < n ? st.ProgramImage[a] : kBlank);
      }
      Begin(l, r, begin, Pause::kWriteBlockCycle, chip.program_write_ns);
      Increment(l, Pause::kWriteBlockIncrement);
    }
    ctx.panel.Progress(std::min(first + r.unit, n), n);
  }
  Leave(ctx, Pause::kWriteBlockEnd);
  if (!Read_Back(ctx, n)) return;
  ctx.panel.Set_Status("Status", "End of Writing");
}

void Family_Write_Eeprom(Context& ctx, const ChipEntry& chip) {
  WorkingState& st = ctx.st;
  Lines& l = ctx.lines;
  const FamilyRules& r = Rules(chip);
  ctx.panel.Set_Status("Status", "Writing EEPROM Data");
  ctx.panel.Sablier_On();
  Enter(ctx, Pause::kProgEepromBefore, Pause::kProgEepromEntered);
  if (r.family == ChipFamily::k62xA) {
    // The 62xA only programs (clears bits): its data EEPROM is erased first, whole.
    Send_Command(l, kBulkEraseData);
    l.Wait_Cycle(Pause::kEraseCycle, chip.erase_ns);
  }
  const int count = std::clamp(st.EepromCount, 0, chip.eeprom_bytes);
  for (int i = 0; i < count; ++i) {
    const std::int32_t wanted = st.EepromImage[i] & 0xFF;
    Send_Command(l, kReadDataEeprom);
    Read_Data(l, st.ReadBuffer[i]);
    st.ReadBuffer[i] &= 0xFF;
    l.Wait(Pause::kProgEepromRead);
    if (st.ReadBuffer[i] != wanted) {
      if (r.family == ChipFamily::k88) {
        // The byte is erased first; End Programming sets the latch back to all ones.
        Load(l, kLoadDataEeprom, wanted);
        Begin(l, r, kBeginProgramming, Pause::kProgEepromCycle, chip.eeprom_write_ns);
      }
      Load(l, kLoadDataEeprom, wanted);
      Begin(l, r, r.family == ChipFamily::k88 ? kBeginProgrammingOnly : kBeginProgramming,
            Pause::kProgEepromCycle, chip.eeprom_write_ns);
      Send_Command(l, kReadDataEeprom);
      Read_Data(l, st.ReadBuffer[i]);
      st.ReadBuffer[i] &= 0xFF;
      if (st.ReadBuffer[i] != wanted) Report(ctx, "EEPROM ", i, st.ReadBuffer[i], wanted);
    }
    Increment(l, Pause::kProgEepromIncrement);
    ctx.panel.Progress(i + 1, count, Memory::kEeprom);
  }
  Leave(ctx, Pause::kProgEepromEnd);
  ctx.panel.Set_Status("Status", "EEPROM Data Written");
  ctx.panel.Sablier_Off();
}

bool Family_Write_Config(Context& ctx, const ChipEntry& chip,
                         const std::array<std::int32_t, 4>* ids) {
  WorkingState& st = ctx.st;
  Lines& l = ctx.lines;
  const FamilyRules& r = Rules(chip);
  Enter(ctx, Pause::kProgFusesBefore, Pause::kProgFusesEntered);
  const auto id = [ids](int i) { return (*ids)[i] == kNoUserId ? kBlank : (*ids)[i]; };
  Send_Command(l, kLoadConfiguration);  // 0x2000
  Send_Data(l, ids != nullptr && r.config_load_writes ? id(0) : kBlank);
  l.Wait(Pause::kProgFusesData);
  int pc = 0x2000;
  if (ids != nullptr && r.family == ChipFamily::k88) {
    Begin(l, r, kBeginProgramming, Pause::kProgFusesCycle, chip.erase_ns);  // the user IDs erased
  }
  if (ids != nullptr) {
    for (int i = 0; i < 4; ++i) {
      if (i > 0) {
        Increment(l, Pause::kUserIdsWriteIncrement);
        ++pc;
      }
      if (i > 0 || !r.config_load_writes) Load(l, kLoadDataProgram, id(i));
      if (r.unit == 1 && id(i) != kBlank) {
        Begin(l, r, r.begin, Pause::kProgFusesCycle, chip.program_write_ns);
      }
    }
    if (r.unit > 1) Begin(l, r, r.begin, Pause::kProgFusesCycle, chip.program_write_ns);
  }
  bool taken = true;
  for (std::size_t k = 0; k < chip.config_addresses.size() && taken; ++k) {
    const int address = chip.config_addresses[k];
    while (pc < address) {
      Increment(l, Pause::kProgFusesIncrement);
      ++pc;
    }
    const std::uint16_t mask = chip.config_masks[k];
    const std::int32_t wanted = Config_Image(st, address);
    Load(l, kLoadDataProgram, wanted);
    Begin(l, r, r.begin, Pause::kProgFusesCycle, chip.program_write_ns);
    std::int32_t read = 0;
    Send_Command(l, kReadDataProgram);
    Read_Data(l, read);
    if ((read & mask) != (wanted & mask)) {
      Leave(ctx, Pause::kProgFusesEnd);
      Report(ctx, "", address, read, wanted);
      taken = false;
    }
  }
  if (taken) Leave(ctx, Pause::kProgFusesEnd);
  return taken;
}

void Family_Erase(Context& ctx, const ChipEntry& chip) {
  Lines& l = ctx.lines;
  const FamilyRules& r = Rules(chip);
  Enter(ctx, Pause::kEraseBefore, Pause::kEraseEntered);
  ctx.panel.Set_Status("Status", "Erasing Device");
  Send_Command(l, kLoadConfiguration);  // from the configuration area: the user IDs too
  Send_Data(l, kBlank);
  l.Wait(Pause::kEraseLoad);
  if (r.family == ChipFamily::k62xA) {
    Erase_Program_Memory(l, chip);  // and the configuration word, code protection with it
    Send_Command(l, kBulkEraseData);
    l.Wait_Cycle(Pause::kEraseCycle, chip.erase_ns);
  } else {
    Send_Command(l, kChipErase);  // internally timed
    l.Wait_Cycle(Pause::kEraseCycle, chip.erase_ns);
  }
  Leave(ctx, Pause::kEraseEnd);
  ctx.panel.Set_Status("Status", "Device Erased");
}

void Family_Erase_Eeprom(Context& ctx, const ChipEntry& chip) {
  Lines& l = ctx.lines;
  const FamilyRules& r = Rules(chip);
  Enter(ctx, Pause::kEraseEepromBefore, Pause::kEraseEepromEntered);
  ctx.panel.Set_Status("Status", "Erasing EEPROM");
  if (r.family == ChipFamily::k88) Load(l, kLoadDataEeprom, 0xFF);
  Send_Command(l, kBulkEraseData);
  if (r.family == ChipFamily::k62xA) {
    l.Wait_Cycle(Pause::kEraseCycle, chip.erase_ns);
  } else {
    Begin(l, r, kBeginProgramming, Pause::kEraseCycle, chip.erase_ns);
  }
  Leave(ctx, Pause::kEraseEepromEnd);
  ctx.panel.Set_Status("Status", "EEPROM Erased");
}

}  // namespace corvane
