#include "fuses/config_fields.h"

#include <algorithm>

#include "chips/chip_table.h"
#include "protocol/hex_text.h"
#include "state/working_state.h"
#include "text/words.h"

namespace corvane {

bool Find_Field_Value(const ChipEntry& chip, std::string_view name, std::string_view value,
                      FieldChoice* out, std::string* error) {
  auto field = std::find_if(chip.fields.begin(), chip.fields.end(),
                            [&](const ConfigField& f) { return Same_Ignoring_Case(f.name, name); });
  if (field == chip.fields.end()) {
    std::string names;
    for (const ConfigField& f : chip.fields) names += (names.empty() ? "" : ", ") + f.name;
    *error = chip.part + " has no field " + std::string(name) + "; its fields are " + names;
    return false;
  }
  auto choice = std::find_if(field->values.begin(), field->values.end(), [&](const ConfigValue& v) {
    return Same_Ignoring_Case(v.name, value);
  });
  if (choice == field->values.end()) {
    std::string names;
    for (const ConfigValue& v : field->values) names += (names.empty() ? "" : ", ") + v.name;
    *error = field->name + " of " + chip.part + " takes " + names + ", not " + std::string(value);
    return false;
  }
  *out = {&*field, &*choice};
  return true;
}

std::int32_t With_Field(std::int32_t word, const ConfigField& field, const ConfigValue& value) {
  return (word & ~static_cast<std::int32_t>(field.mask)) | (value.bits & field.mask);
}

const ConfigValue* Field_Value(std::int32_t word, const ConfigField& field) {
  for (const ConfigValue& v : field.values) {
    if ((word & field.mask) == v.bits) return &v;
  }
  return nullptr;
}

std::string Config_Word_Name(const ChipEntry& chip, int address) {
  if (chip.config_addresses.size() < 2) return "CONFIG";
  return "CONFIG" + std::to_string(address - chip.config_addresses.front() + 1);
}

const ChipEntry* Config_Chip_Of(const WorkingState& st, std::int32_t device_id,
                                std::string_view device_box) {
  const ChipTable& chips = Chips_In_Use(st);
  if (const ChipEntry* chip = chips.Find_Id(device_id)) return chip;
  return chips.Find_Shown(device_box);
}

std::uint16_t Config_Word2_Mask(const ChipEntry* chip) {
  return chip != nullptr ? chip->Config_Mask(kConfigWord2Address) : 0;
}

std::string Config_Word2_Suffix(const ChipEntry* chip, std::int32_t word2) {
  const std::uint16_t mask = Config_Word2_Mask(chip);
  if (mask == 0) return "";
  return "/" + Hex(word2 & mask);
}

}  // namespace corvane
