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
  Pic16F627A,
  Pic16F628A,
  Pic16F648A,
  Pic16F873A,
  Pic16F874A,
  Pic16F876A,
  Pic16F877A,
  Pic16F87,
  Pic16F88,
  Pic16F818,
  Pic16F819,
};

// The programming algorithm a chip answers: the 16F84's, the 16F84A and 87x's (one model), and
// the three of the newer parts (sim/family_87xa.h, family_62xa.h, family_88.h).
enum class ChipFamily { F84, F84A87x, F87xA, F62xA, F88 };

// How the configuration word protects program memory (0 = protected in every case).
enum class CodeProtection {
  kAnyBit,     // 16F84/84A: any bit of cp_mask at 0 protects all of it (and the data EEPROM)
  kTwoCopies,  // 87x: CP1:CP0 in bits 13..12 and 5..4, a 0 in either copy counts
  kOneBit,     // 87xA, 62xA, 88 family: CP (bit 13) at 0 protects all of program memory
};

// The times of a family's erase and write cycles: internally timed ones are the most they take,
// externally timed ones the least the host must wait before End Programming.
struct FamilyTimes {
  std::int64_t row_write_ns = 0;     // 87xA: Begin Erase/Programming of a row (tprog2)
  std::int64_t program_only_ns = 0;  // 87xA, 88: Begin Programming Only, at least (tprog1)
  std::int64_t row_erase_ns = 0;     // 88: Begin Erase, at least (tprog2)
  std::int64_t config_write_ns = 0;  // 62xA: a configuration-memory word
  std::int64_t bulk_erase_ns = 0;    // 87xA, 62xA: internally timed; 88: at least (tprog3)
  std::int64_t chip_erase_ns = 0;    // 87xA (tprog3), 88 (tprog4): internally timed
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
  // Internally timed cycles started by Begin Erase/Programming (the 62xA's Begin Programming).
  std::int64_t program_word_ns;
  std::int64_t eeprom_write_ns;
  // Begin Programming Only (24) on the 84A and 87x: a program word written without its erase.
  std::int64_t program_only_ns = 4'000'000;
  ChipFamily family = ChipFamily::F84A87x;
  // The identification word's mask: the bits below it are the silicon revision.
  std::uint16_t id_mask = 0x3FE0;
  CodeProtection protection = CodeProtection::kTwoCopies;
  // Configuration words beside 0x2007: the 87/88's CONFIG2 at 0x2008 and its implemented bits
  // (the others read 1).
  bool has_config2 = false;
  std::uint16_t config2_mask = 0;
  // Locations of the configuration area before it repeats (0x2000 + config_slots is 0x2000).
  int config_slots = 8;
  FamilyTimes times{};
};

const ChipFacts& Facts(ChipKind kind);

// Every kind, in the order above.
const std::vector<ChipKind>& All_Chip_Kinds();
// The kind a name gives ("16f877", the part's name without "PIC", in lower case).
std::optional<ChipKind> Chip_Kind_Named(std::string_view key);
// "16f84|16f84a|...": every kind's name.
std::string Chip_Kind_Names();
// The kind whose identification word (under its mask) that is; the 16F84 for an erased one.
std::optional<ChipKind> Chip_Kind_With_Id(std::int32_t device_id);

// First address of the configuration area (user IDs 0x2000-0x2003, reserved 0x2004-0x2005,
// device ID 0x2006, configuration word 0x2007).
inline constexpr int kConfigBase = 0x2000;
inline constexpr int kDeviceIdAddress = 0x2006;
inline constexpr int kConfigWordAddress = 0x2007;
inline constexpr int kConfig2Address = 0x2008;
inline constexpr std::uint16_t kErasedWord = 0x3FFF;
inline constexpr std::uint8_t kErasedByte = 0xFF;

}  // namespace corvane::sim
