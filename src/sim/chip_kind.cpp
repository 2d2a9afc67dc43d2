#include "sim/chip_kind.h"

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
}  // namespace

const ChipFacts& Facts(ChipKind kind) {
  switch (kind) {
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
