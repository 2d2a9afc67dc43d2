#include "ui/config_model.h"

#include <cstdio>

#include "fuses/config_fields.h"

namespace corvane {

ConfigModel::ConfigModel(const ChipEntry& chip, const std::vector<ConfigWordValue>& words)
    : part_(chip.part), fields_(chip.fields) {
  for (std::size_t i = 0; i < chip.config_addresses.size(); ++i) {
    const int address = chip.config_addresses[i];
    std::int32_t word = 0x3FFF & chip.config_masks[i];
    for (const ConfigWordValue& given : words) {
      if (given.address == address) word = given.word;
    }
    words_.push_back({address, word});
    names_.push_back(Config_Word_Name(chip, address));
  }
  const bool two_words = words_.size() > 1;
  for (const ConfigField& field : fields_) {
    ConfigFieldRow row{field.name, {}, -1};
    if (two_words) row.label += " (" + Config_Word_Name(chip, field.address) + ")";
    for (const ConfigValue& v : field.values) row.values.push_back(v.name);
    rows_.push_back(std::move(row));
  }
  Show_Chosen();
}

void ConfigModel::Show_Chosen() {
  for (std::size_t r = 0; r < fields_.size(); ++r) {
    rows_[r].chosen = -1;
    for (const ConfigWordValue& w : words_) {
      if (w.address != fields_[r].address) continue;
      const ConfigValue* held = Field_Value(w.word, fields_[r]);
      if (held != nullptr) rows_[r].chosen = static_cast<int>(held - fields_[r].values.data());
    }
  }
}

std::vector<std::string> ConfigModel::Word_Texts() const {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < words_.size(); ++i) {
    char text[48];
    std::snprintf(text, sizeof text, " (0x%04X) = 0x%04X", static_cast<unsigned>(words_[i].address),
                  static_cast<unsigned>(words_[i].word));
    texts.push_back(names_[i] + text);
  }
  return texts;
}

void ConfigModel::Choose(int row, int value) {
  if (row < 0 || row >= static_cast<int>(fields_.size())) return;
  const ConfigField& field = fields_[static_cast<std::size_t>(row)];
  if (value < 0 || value >= static_cast<int>(field.values.size())) return;
  for (ConfigWordValue& w : words_) {
    if (w.address == field.address) {
      w.word = With_Field(w.word, field, field.values[static_cast<std::size_t>(value)]);
    }
  }
  // Fields that share bits (none in the table today) follow the word.
  Show_Chosen();
}

}  // namespace corvane
