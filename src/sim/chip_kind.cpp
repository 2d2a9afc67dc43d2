#include "sim/chip_kind.h"

#include <cctype>

#include "sim/timing.h"

namespace corvane::sim {

namespace {
// 16F84/84A: bits 13..4 are code protection and cover the data EEPROM as well.
constexpr std::uint16_t kCp84 = 0x3FF0;
// 16F87x: CP1:CP0 appear twice, in bits 13..12 and 5..4; bit 10 is unimplemented; bit 8 is /CPD.
constexpr std::uint16_t kCp87x = 0x3030;
constexpr std::uint16_t kUnimplemented87x = 0x0400;
constexpr std::uint16_t kCpd87x = 0x0100;

constexpr ChipFacts k16F84{.name = "PIC16F84",
                           .program_words = 1024,
                           .eeprom_bytes = 64,
                           .id_base = -1,
                           .default_revision = 0,
                           .cp_mask = kCp84,
                           .forced_ones = 0,
                           .cpd_bit = 0,
                           .program_word_ns = kProgramWordNs16F84,
                           .eeprom_write_ns = kEepromWriteNs16F84,
                           .family = ChipFamily::F84,
                           .protection = CodeProtection::kAnyBit};
constexpr ChipFacts k16F84A{.name = "PIC16F84A",
                            .program_words = 1024,
                            .eeprom_bytes = 64,
                            .id_base = 0x0560,
                            .default_revision = 1,
                            .cp_mask = kCp84,
                            .forced_ones = 0,
                            .cpd_bit = 0,
                            .program_word_ns = kProgramWordNs,
                            .eeprom_write_ns = kEepromWriteNs,
                            .protection = CodeProtection::kAnyBit};
constexpr ChipFacts k16F873{
    "PIC16F873", 4096,           128,           0x0960, 3, kCp87x, kUnimplemented87x,
    kCpd87x,     kProgramWordNs, kEepromWriteNs};
constexpr ChipFacts k16F877{
    "PIC16F877", 8192,           256,           0x09A0, 3, kCp87x, kUnimplemented87x,
    kCpd87x,     kProgramWordNs, kEepromWriteNs};
// The rest of the 87x: 2K (870, 871, 872), 4K (874) and 8K (876) words, one algorithm.
constexpr ChipFacts k16F870{
    "PIC16F870",    2048,          64, 0x0D00, 3, kCp87x, kUnimplemented87x, kCpd87x,
    kProgramWordNs, kEepromWriteNs};
constexpr ChipFacts k16F871{
    "PIC16F871",    2048,          64, 0x0D20, 3, kCp87x, kUnimplemented87x, kCpd87x,
    kProgramWordNs, kEepromWriteNs};
constexpr ChipFacts k16F872{
    "PIC16F872",    2048,          64, 0x08E0, 3, kCp87x, kUnimplemented87x, kCpd87x,
    kProgramWordNs, kEepromWriteNs};
constexpr ChipFacts k16F874{
    "PIC16F874", 4096,           128,           0x0920, 3, kCp87x, kUnimplemented87x,
    kCpd87x,     kProgramWordNs, kEepromWriteNs};
constexpr ChipFacts k16F876{
    "PIC16F876", 8192,           256,           0x09E0, 3, kCp87x, kUnimplemented87x,
    kCpd87x,     kProgramWordNs, kEepromWriteNs};

// The 87xA, 62xA and 88 families: one CP bit (13) for all of program memory, /CPD in bit 8.
constexpr std::uint16_t kCpBit = 0x2000;
constexpr std::uint16_t kCpdBit = 0x0100;

constexpr FamilyTimes kTimes87xA{.row_write_ns = kRowWriteNs87xA,
                                 .program_only_ns = kProgramOnlyNs87xA,
                                 .bulk_erase_ns = kEraseNs87xA,
                                 .chip_erase_ns = kEraseNs87xA};
constexpr FamilyTimes kTimes62xA{.config_write_ns = kProgramWordNs62xA,
                                 .bulk_erase_ns = kBulkEraseNs62xA};
constexpr FamilyTimes kTimes88{.program_only_ns = kProgramOnlyNs88,
                               .row_erase_ns = kRowEraseNs88,
                               .bulk_erase_ns = kBulkEraseNs88,
                               .chip_erase_ns = kChipEraseNs88};

// 87xA: bits 12, 5 and 4 unimplemented (configuration mask 2FCF); test memory 0x2000-0x200F.
constexpr ChipFacts Chip_87xA(std::string_view name, int words, int eeprom, int id) {
  return ChipFacts{.name = name,
                   .program_words = words,
                   .eeprom_bytes = eeprom,
                   .id_base = id,
                   .default_revision = 8,
                   .cp_mask = kCpBit,
                   .forced_ones = 0x1030,
                   .cpd_bit = kCpdBit,
                   .program_word_ns = kRowWriteNs87xA,
                   .eeprom_write_ns = kEepromWriteNs87xA,
                   .family = ChipFamily::F87xA,
                   .id_mask = 0x3FF0,
                   .protection = CodeProtection::kOneBit,
                   .config_slots = 16,
                   .times = kTimes87xA};
}
// 62xA: bits 12..9 unimplemented (configuration mask 21FF); 5 revision bits.
constexpr ChipFacts Chip_62xA(std::string_view name, int words, int eeprom, int id) {
  return ChipFacts{.name = name,
                   .program_words = words,
                   .eeprom_bytes = eeprom,
                   .id_base = id,
                   .default_revision = 3,
                   .cp_mask = kCpBit,
                   .forced_ones = 0x1E00,
                   .cpd_bit = kCpdBit,
                   .program_word_ns = kProgramWordNs62xA,
                   .eeprom_write_ns = kEepromWriteNs62xA,
                   .family = ChipFamily::F62xA,
                   .id_mask = 0x3FE0,
                   .protection = CodeProtection::kOneBit,
                   .config_slots = 16,
                   .times = kTimes62xA};
}
// 87/88 (CONFIG2 at 0x2008, bits 1..0) and 818/819: every bit of the configuration word
// implemented; configuration memory 0x2000-0x201F.
constexpr ChipFacts Chip_88(std::string_view name, int words, int eeprom, int id, bool config2) {
  return ChipFacts{.name = name,
                   .program_words = words,
                   .eeprom_bytes = eeprom,
                   .id_base = id,
                   .default_revision = 4,
                   .cp_mask = kCpBit,
                   .forced_ones = 0,
                   .cpd_bit = kCpdBit,
                   .program_word_ns = 0,
                   .eeprom_write_ns = 0,
                   .family = ChipFamily::F88,
                   .id_mask = 0x3FF0,
                   .protection = CodeProtection::kOneBit,
                   .has_config2 = config2,
                   .config2_mask = static_cast<std::uint16_t>(config2 ? 0x0003 : 0),
                   .config_slots = 32,
                   .times = kTimes88};
}

constexpr ChipFacts k16F627A = Chip_62xA("PIC16F627A", 1024, 128, 0x1040);
constexpr ChipFacts k16F628A = Chip_62xA("PIC16F628A", 2048, 128, 0x1060);
constexpr ChipFacts k16F648A = Chip_62xA("PIC16F648A", 4096, 256, 0x1100);
constexpr ChipFacts k16F873A = Chip_87xA("PIC16F873A", 4096, 128, 0x0E40);
constexpr ChipFacts k16F874A = Chip_87xA("PIC16F874A", 4096, 128, 0x0E60);
constexpr ChipFacts k16F876A = Chip_87xA("PIC16F876A", 8192, 256, 0x0E00);
constexpr ChipFacts k16F877A = Chip_87xA("PIC16F877A", 8192, 256, 0x0E20);
constexpr ChipFacts k16F87 = Chip_88("PIC16F87", 4096, 256, 0x0720, true);
constexpr ChipFacts k16F88 = Chip_88("PIC16F88", 4096, 256, 0x0760, true);
constexpr ChipFacts k16F818 = Chip_88("PIC16F818", 1024, 128, 0x04C0, false);
constexpr ChipFacts k16F819 = Chip_88("PIC16F819", 2048, 256, 0x04E0, false);

std::string Key_Of(ChipKind kind) {
  std::string key(Facts(kind).name.substr(3));
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}
}  // namespace

const std::vector<ChipKind>& All_Chip_Kinds() {
  static const std::vector<ChipKind> kinds = {
      ChipKind::Pic16F84,   ChipKind::Pic16F84A,  ChipKind::Pic16F870,  ChipKind::Pic16F871,
      ChipKind::Pic16F872,  ChipKind::Pic16F873,  ChipKind::Pic16F874,  ChipKind::Pic16F876,
      ChipKind::Pic16F877,  ChipKind::Pic16F627A, ChipKind::Pic16F628A, ChipKind::Pic16F648A,
      ChipKind::Pic16F873A, ChipKind::Pic16F874A, ChipKind::Pic16F876A, ChipKind::Pic16F877A,
      ChipKind::Pic16F87,   ChipKind::Pic16F88,   ChipKind::Pic16F818,  ChipKind::Pic16F819};
  return kinds;
}

std::optional<ChipKind> Chip_Kind_Named(std::string_view key) {
  for (ChipKind k : All_Chip_Kinds()) {
    if (Key_Of(k) == key) return k;
  }
  return std::nullopt;
}

std::string Chip_Kind_Names() {
  std::string names;
  for (ChipKind k : All_Chip_Kinds()) names += (names.empty() ? "" : "|") + Key_Of(k);
  return names;
}

std::optional<ChipKind> Chip_Kind_With_Id(std::int32_t device_id) {
  for (ChipKind k : All_Chip_Kinds()) {
    const ChipFacts& f = Facts(k);
    const int id = f.id_base < 0 ? 0x3FE0 : f.id_base;
    if ((device_id & f.id_mask) == id) return k;
  }
  return std::nullopt;
}

const ChipFacts& Facts(ChipKind kind) {
  switch (kind) {
    case ChipKind::Pic16F870:
      return k16F870;
    case ChipKind::Pic16F871:
      return k16F871;
    case ChipKind::Pic16F872:
      return k16F872;
    case ChipKind::Pic16F874:
      return k16F874;
    case ChipKind::Pic16F876:
      return k16F876;
    case ChipKind::Pic16F84:
      return k16F84;
    case ChipKind::Pic16F84A:
      return k16F84A;
    case ChipKind::Pic16F873:
      return k16F873;
    case ChipKind::Pic16F627A:
      return k16F627A;
    case ChipKind::Pic16F628A:
      return k16F628A;
    case ChipKind::Pic16F648A:
      return k16F648A;
    case ChipKind::Pic16F873A:
      return k16F873A;
    case ChipKind::Pic16F874A:
      return k16F874A;
    case ChipKind::Pic16F876A:
      return k16F876A;
    case ChipKind::Pic16F877A:
      return k16F877A;
    case ChipKind::Pic16F87:
      return k16F87;
    case ChipKind::Pic16F88:
      return k16F88;
    case ChipKind::Pic16F818:
      return k16F818;
    case ChipKind::Pic16F819:
      return k16F819;
    case ChipKind::Pic16F877:
      break;
  }
  return k16F877;
}

}  // namespace corvane::sim
