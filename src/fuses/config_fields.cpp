#include "fuses/config_fields.h"

#include <cctype>

namespace corvane {

namespace {

constexpr int kConfigWordAddress = 0x2007;

bool Same_Ignoring_Case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool Set_Config_Field(const ChipEntry& chip, std::string_view assignment, std::int32_t* word,
                      std::string* error) {
  const auto eq = assignment.find('=');
  const std::string_view name = assignment.substr(0, eq);
  const ConfigField* field = nullptr;
  std::string names;
  for (const ConfigField& f : chip.fields) {
    if (f.address != kConfigWordAddress) continue;
    names += (names.empty() ? "" : ", ") + f.name;
    if (Same_Ignoring_Case(f.name, name)) field = &f;
  }
  if (eq == std::string_view::npos || field == nullptr) {
    *error = "'" + std::string(assignment) + "' is not NAME=VALUE with a field of the " +
             chip.shown + "'s configuration word (" + names + ")";
    return false;
  }
  const std::string_view value = assignment.substr(eq + 1);
  std::string values;
  for (const ConfigValue& v : field->values) {
    if (Same_Ignoring_Case(v.name, value)) {
      *word = (*word & ~static_cast<std::int32_t>(field->mask)) | v.bits;
      return true;
    }
    values += (values.empty() ? "" : ", ") + v.name;
  }
  *error = field->name + " takes " + values + ", not '" + std::string(value) + "'";
  return false;
}

std::string Config_Fields_Text(const ChipEntry& chip, std::int32_t word) {
  std::string text;
  for (const ConfigField& f : chip.fields) {
    if (f.address != kConfigWordAddress) continue;
    std::string value = "?";
    for (const ConfigValue& v : f.values) {
      if ((word & f.mask) == v.bits) value = v.name;
    }
    text += (text.empty() ? "" : " ") + f.name + "=" + value;
  }
  return text;
}

}  // namespace corvane
