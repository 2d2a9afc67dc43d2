// The memory image: the program words, EEPROM bytes, configuration word and counts that a loaded
// HEX file supplies, and the blanking that start-up and a cancelled File Open apply.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "state/working_state.h"

namespace corvane {

// Number of program words that start-up and a cancelled File Open blank.
inline constexpr int kBlankedWords = 1024;

// ProgramImage entries 0..1023 := 0x3FFF, in ascending order. Nothing else changes.
void Blank_Program_Image(WorkingState& st);

// The part of the working state that a HEX file load fills. A load works on one of these and
// copies it into the working state only when the whole file was read, so a failed load leaves
// the image as it was.
struct LoadedImage {
  std::array<std::int32_t, kProgramLast + 1> ProgramImage{};
  std::array<std::int32_t, kEepromLast + 1> EepromImage{};
  std::int32_t ConfigWord = 0;
  // The second configuration word (0x2008) for a chip that has one; none: the file's word there
  // is not loaded, as on every chip with one word.
  std::optional<std::int32_t> ConfigWord2;
  std::array<std::int32_t, kUserIdCount> UserIdImage{};
  std::int32_t LastProgramAddress = 0;
  std::int32_t EepromCount = 0;
};

// The clean image every load starts from: all program words blank (0x3FFF), EEPROM bytes 0, no
// user IDs, no EEPROM count, LastProgramAddress -1 (no program lines). The configuration words
// are carried over, since a file without a configuration record keeps the previous ones; the
// second is given only for a chip that has one.
void Start_Clean_Image(LoadedImage& image, std::int32_t config_word,
                       std::optional<std::int32_t> config_word2 = std::nullopt);

// Copies a completed load into the working state.
void Commit_Image(const LoadedImage& image, WorkingState& st);

}  // namespace corvane
