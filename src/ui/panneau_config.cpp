// The configuration words by the chip table's named fields: the console's "config NAME=VALUE" and
// the Configuration dialog's OK.
#include <cstdio>

#include "chips/chip_table.h"
#include "fuses/config_fields.h"
#include "ui/panneau.h"

namespace corvane {

const ChipEntry* Panneau::Config_Chip() const {
  return Config_Chip_Of(st_, st_.DeviceId, Device());
}

bool Panneau::Holds_Config_Word(int address) const {
  if (address == kConfigWord2Address) return Config_Word2_Mask(Config_Chip()) != 0;
  return address == 0x2007;
}

void Panneau::Set_Config_Word(std::int32_t word) {
  st_.ConfigWord = word;
  Show_Fuses();
  // The controls' handlers normalise the word for the device box: the word chosen stands.
  st_.ConfigWord = word;
  Fuses_Changed();
}

void Panneau::Set_Config_Word2(std::int32_t word) {
  st_.ConfigWord2 = word;
  Fuses_Changed();
}

ConfigModel Panneau::Config_Dialog() const {
  return ConfigModel(*Config_Chip(),
                     {{0x2007, st_.ConfigWord}, {kConfigWord2Address, st_.ConfigWord2}});
}

void Panneau::Apply_Config(const std::vector<ConfigWordValue>& words) {
  for (const ConfigWordValue& w : words) {
    if (!Holds_Config_Word(w.address)) continue;
    if (w.address == kConfigWord2Address) {
      Set_Config_Word2(w.word);
    } else {
      Set_Config_Word(w.word);
    }
  }
}

bool Panneau::Set_Config_Field(std::string_view name, std::string_view value, std::string* error) {
  const ChipEntry* chip = Config_Chip();
  if (chip == nullptr) {
    *error = "no chip identified: the configuration fields are unknown (set the device box)";
    return false;
  }
  FieldChoice choice;
  if (!Find_Field_Value(*chip, name, value, &choice, error)) return false;
  if (!Holds_Config_Word(choice.field->address)) {
    char where[16];
    std::snprintf(where, sizeof where, "0x%04X", static_cast<unsigned>(choice.field->address));
    *error = choice.field->name + " is in " + Config_Word_Name(*chip, choice.field->address) +
             " at " + where + ", which the loaded image does not hold";
    return false;
  }
  if (choice.field->address == kConfigWord2Address) {
    Set_Config_Word2(With_Field(st_.ConfigWord2, *choice.field, *choice.value));
  } else {
    Set_Config_Word(With_Field(st_.ConfigWord, *choice.field, *choice.value));
  }
  return true;
}

}  // namespace corvane
