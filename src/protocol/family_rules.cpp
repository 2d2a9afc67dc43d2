#include "protocol/family_rules.h"

#include "chips/chip_table.h"

namespace corvane {

namespace {
constexpr std::int64_t kTprog1Ns = 1'000'000;  // externally timed writes: at least 1 ms

// clang-format off
constexpr FamilyRules kRules[] = {
  // family              unit  begin  fast  config load  program only
  {ChipFamily::k87xA,    8,    8,     24,   true,        kTprog1Ns},
  {ChipFamily::k62xA,    1,    8,     8,    true,        0},
  {ChipFamily::k88,      4,    24,    24,   false,       kTprog1Ns},
};
// clang-format on
}  // namespace

const FamilyRules* Rules_For(ChipFamily family) {
  for (const FamilyRules& r : kRules) {
    if (r.family == family) return &r;
  }
  return nullptr;
}

const ChipEntry* Later_Family_Chip(const WorkingState& st) {
  const ChipEntry* chip = Chips_In_Use(st).Find_Id(st.DeviceId);
  if (chip == nullptr || Rules_For(chip->family) == nullptr) return nullptr;
  return chip;
}

}  // namespace corvane
