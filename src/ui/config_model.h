// The Configuration dialog without any toolkit: one choice per named field of the chip's
// configuration words (the chip table's fields), the words as the choices make them, and what OK
// applies. Cancel applies nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chips/chip_entry.h"

namespace corvane {

struct ConfigWordValue {
  int address;
  std::int32_t word;
  bool operator==(const ConfigWordValue&) const = default;
};

struct ConfigFieldRow {
  std::string label;                // "FOSC (CONFIG1)" on a two-word chip, "FOSC" on another
  std::vector<std::string> values;  // the field's values in the table's order
  int chosen;                       // the value the word holds; -1 when it holds none of them
};

class ConfigModel {
 public:
  // The chip's fields over its words as they stand (one per configuration address of the chip, in
  // its order; a word not given reads erased, its implemented bits set).
  ConfigModel(const ChipEntry& chip, const std::vector<ConfigWordValue>& words);

  // "Configuration PIC16F88".
  std::string title() const { return "Configuration " + part_; }
  const std::vector<ConfigFieldRow>& rows() const { return rows_; }
  // One line a word: "CONFIG1 (0x2007) = 0x3F72", "CONFIG (0x2007) = 0x3FF1" on a one-word chip.
  std::vector<std::string> Word_Texts() const;
  const std::vector<ConfigWordValue>& words() const { return words_; }

  // The user picks a value of a field: its word changes at once, the other fields keep theirs.
  void Choose(int row, int value);

 private:
  // Each row's choice: the value its word holds.
  void Show_Chosen();

  std::string part_;
  std::vector<ConfigField> fields_;
  std::vector<std::string> names_;  // each word's, as Word_Texts shows them
  std::vector<ConfigWordValue> words_;
  std::vector<ConfigFieldRow> rows_;
};

}  // namespace corvane
