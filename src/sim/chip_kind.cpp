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

constexpr ChipFacts k16F84{"PIC16F84",         1024, 64, -1, 0, kCp84, 0, 0, kProgramWordNs16F84,
                           kEepromWriteNs16F84};
constexpr ChipFacts k16F84A{"PIC16F84A", 1024, 64, 0x0560,         1,
                            kCp84,       0,    0,  kProgramWordNs, kEepromWriteNs};
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

std::string Key_Of(ChipKind kind) {
  std::string key(Facts(kind).name.substr(3));
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}
}  // namespace

const std::vector<ChipKind>& All_Chip_Kinds() {
  static const std::vector<ChipKind> kinds = {
      ChipKind::Pic16F84,  ChipKind::Pic16F84A, ChipKind::Pic16F870,
      ChipKind::Pic16F871, ChipKind::Pic16F872, ChipKind::Pic16F873,
      ChipKind::Pic16F874, ChipKind::Pic16F876, ChipKind::Pic16F877};
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
    const int id = Facts(k).id_base < 0 ? 0x3FE0 : Facts(k).id_base;
    if ((device_id & 0x3FE0) == id) return k;
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
    case ChipKind::Pic16F877:
      break;
  }
  return k16F877;
}

}  // namespace corvane::sim
