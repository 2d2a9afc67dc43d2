// The chips the simulator models, and the silicon facts it needs about each: memory sizes,
// identification word, configuration-word layout and erase/write times. These are the silicon's
// own, from the datasheets, kept apart from the programmer's chip table so that a mistake in the
// table shows as a chip that does not program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::sim {

enum class ChipKind {
  Pic16F84,
  Pic16F84A,
  Pic16F873,
  Pic16F877,
  Pic16F870,
  Pic16F871,
  Pic16F872,
  Pic16F874,
  Pic16F876,
};

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
  // Begin Programming Only (24): a program word written without its erase.
  std::int64_t program_only_ns = 4'000'000;
};

const ChipFacts& Facts(ChipKind kind);

// Every kind, in the order above.
const std::vector<ChipKind>& All_Chip_Kinds();
// The kind a name gives ("16f877", the part's name without "PIC", in lower case).
std::optional<ChipKind> Chip_Kind_Named(std::string_view key);
// "16f84|16f84a|...": every kind's name.
std::string Chip_Kind_Names();
// The kind whose identification word (revision bits ignored) that is; the 16F84 for an erased one.
std::optional<ChipKind> Chip_Kind_With_Id(std::int32_t device_id);

// First address of the configuration area (user IDs 0x2000-0x2003, reserved 0x2004-0x2005,
// device ID 0x2006, configuration word 0x2007).
inline constexpr int kConfigBase = 0x2000;
inline constexpr int kDeviceIdAddress = 0x2006;
inline constexpr int kConfigWordAddress = 0x2007;
inline constexpr std::uint16_t kErasedWord = 0x3FFF;
inline constexpr std::uint8_t kErasedByte = 0xFF;

}  // namespace corvane::sim
