// The chip as the window's logic last read it, for the memory view and the checksum. A location is
// known once a command has read it and forgotten when a command writes the chip, so the view
// never shows what the chip held before a write as what it holds now.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "image/hex_file.h"

namespace corvane {

struct ChipSnapshot {
  static constexpr std::int32_t kUnknown = -1;

  std::vector<std::int32_t> program;  // from address 0; kUnknown where not read
  std::vector<std::int32_t> eeprom;   // from address 0; kUnknown where not read
  std::array<std::int32_t, 4> user_ids{kUnknown, kUnknown, kUnknown, kUnknown};
  std::int32_t device_id = kUnknown;
  std::int32_t config = kUnknown;
  std::int32_t config2 = kUnknown;  // the second configuration word, on a chip that has one

  void Forget() { *this = ChipSnapshot{}; }
  // Program words 0 .. n-1 as read.
  void Take_Program(const std::int32_t* words, int n);
  // EEPROM bytes 0 .. n-1 as read (their low 8 bits).
  void Take_Eeprom(const std::int32_t* bytes, int n);
  // The whole chip, as a save or a blank check read it.
  void Take_All(const ChipContents& c, std::int32_t id);
  // Whether program words 0 .. n-1 are all known.
  bool Program_Known(int n) const;

  static std::int32_t At(const std::vector<std::int32_t>& v, int i) {
    return i >= 0 && i < static_cast<int>(v.size()) ? v[static_cast<std::size_t>(i)] : kUnknown;
  }
};

}  // namespace corvane
