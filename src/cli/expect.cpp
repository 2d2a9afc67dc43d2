#include "cli/expect.h"

#include <cstdio>

namespace corvane {

namespace {

// "0x0561": the identification word as the datasheets print it.
std::string Id_Text(std::int32_t device_id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(device_id & 0x3FFF));
  return text;
}

std::string Found_Text(const ChipTable& chips, std::int32_t device_id) {
  std::string found = "an unknown chip";
  if (const ChipEntry* c = chips.Find_Id(device_id)) {
    found = c->Reads_Erased() ? "a " + c->part + " or an empty socket" : c->part;
  }
  return found + " (ID " + Id_Text(device_id) + ")";
}

}  // namespace

const ChipEntry* Find_Chip(const ChipTable& chips, std::string_view key) {
  return chips.Find_Key(key);
}

ExpectCheck Check_Expected(const ChipTable& chips, const ChipEntry& expected,
                           std::int32_t device_id) {
  ExpectCheck check;
  if (!expected.Matches(device_id)) {
    check.refusal = "found " + Found_Text(chips, device_id) + ", expected " + expected.part;
  } else if (expected.Reads_Erased()) {
    check.warning = "the identification word reads " + Id_Text(device_id) + ": a " + expected.part +
                    " or an empty socket";
  }
  return check;
}

}  // namespace corvane
