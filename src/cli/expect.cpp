#include "cli/expect.h"

#include <cstdio>

namespace corvane {

namespace {

constexpr std::int32_t kNoIdentification = 0x3FE0;  // bits 13..5 of a word that reads erased

constexpr ChipName kChips[] = {
    {"16f84", "PIC16F84", kNoIdentification}, {"16f84a", "PIC16F84A", 0x0560},
    {"16f873", "PIC16F873", 0x0960},          {"16f874", "PIC16F874", 0x0920},
    {"16f876", "PIC16F876", 0x09E0},          {"16f877", "PIC16F877", 0x09A0},
};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Same_Ignoring_Case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// "0x0561": the identification word as the datasheets print it.
std::string Id_Text(std::int32_t device_id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(device_id & 0x3FFF));
  return text;
}

std::string Found_Text(std::int32_t device_id) {
  const std::int32_t family = device_id & 0x3FE0;
  std::string found = "an unknown chip";
  if (family == kNoIdentification) {
    found = "a PIC16F84 or an empty socket";
  } else {
    for (const ChipName& c : kChips) {
      if (c.id == family) found = std::string(c.name);
    }
  }
  return found + " (ID " + Id_Text(device_id) + ")";
}

}  // namespace

const ChipName* Find_Chip(std::string_view key) {
  if (key.size() > 3 && Same_Ignoring_Case(key.substr(0, 3), "pic")) key.remove_prefix(3);
  for (const ChipName& c : kChips) {
    if (Same_Ignoring_Case(key, c.key)) return &c;
  }
  return nullptr;
}

std::string Chip_Keys() {
  std::string keys;
  for (const ChipName& c : kChips) keys += (keys.empty() ? "" : "|") + std::string(c.key);
  return keys;
}

ExpectCheck Check_Expected(const ChipName& expected, std::int32_t device_id) {
  ExpectCheck check;
  if ((device_id & 0x3FE0) != expected.id) {
    check.refusal = "found " + Found_Text(device_id) + ", expected " + std::string(expected.name);
  } else if (expected.id == kNoIdentification) {
    check.warning =
        "the identification word reads " + Id_Text(device_id) + ": a PIC16F84 or an empty socket";
  }
  return check;
}

}  // namespace corvane
