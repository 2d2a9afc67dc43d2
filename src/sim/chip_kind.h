// The four chips the programmer knows, and the silicon facts the simulator needs about each:
// memory sizes, identification word, configuration-word layout and erase/write times.
#pragma once

#include <cstdint>
#include <string_view>

namespace corvane::sim {

enum class ChipKind { Pic16F84, Pic16F84A, Pic16F873, Pic16F877 };

struct ChipFacts {
  std::string_view name;
  int program_words;
  int eeprom_bytes;
  // Identification word at 0x2006 without its revision bits (4..0); -1 when the chip has none.
  int id_base;
  int default_revision;
  // Configuration word: bits that are code protection (0 = protected), bits that read 1 whatever
  // is written (unimplemented), and the /CPD bit (0 = data EEPROM protected; 0 when the CP bits
  // protect the EEPROM as well).
  std::uint16_t cp_mask;
  std::uint16_t forced_ones;
  std::uint16_t cpd_bit;
  // Internally timed cycles started by Begin Erase/Programming.
  std::int64_t program_word_ns;
  std::int64_t eeprom_write_ns;
};

const ChipFacts& Facts(ChipKind kind);

// First address of the configuration area (user IDs 0x2000-0x2003, reserved 0x2004-0x2005,
// device ID 0x2006, configuration word 0x2007).
inline constexpr int kConfigBase = 0x2000;
inline constexpr int kDeviceIdAddress = 0x2006;
inline constexpr int kConfigWordAddress = 0x2007;
inline constexpr std::uint16_t kErasedWord = 0x3FFF;
inline constexpr std::uint8_t kErasedByte = 0xFF;

}  // namespace corvane::sim
