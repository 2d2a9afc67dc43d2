#include "fuses/config_word.h"

#include "protocol/hex_text.h"

namespace corvane {
namespace {

constexpr std::string_view kPic16f84Layout = "PIC16f84";

constexpr std::int32_t kWdtBit = 0x0004;
constexpr std::int32_t kPwrtBit = 0x0008;  // active low
constexpr std::int32_t kBodenBit = 0x0040;

}  // namespace

std::int32_t ConfigNormalise(std::int32_t word, std::string_view device, const ChipTable* chips) {
  const ChipEntry* chip = (chips != nullptr ? *chips : Builtin_Chips()).Find_Shown(device);
  if (chip != nullptr && chip->family != ChipFamily::kF84 &&
      chip->family != ChipFamily::k84A87x) {
    return (word | (~chip->Config_Mask(0x2007) & 0x3FFF)) & 0x3FFF;
  }
  if (device == kPic16f84Layout) return word | 0x3FF0;
  return (word | 0x3FB0) & 0x3F7F;
}

std::int32_t Osc_Choice(std::int32_t word, int index, std::string_view device) {
  const std::int32_t normalised = ConfigNormalise(word, device);
  if (index < 0 || index > 3) return normalised;
  return (normalised & 0x3FFC) + index;
}

std::int32_t WDT_Reaction(std::int32_t word, bool checked) {
  return checked ? (word | kWdtBit) : (word & 0x3FFB);
}

std::int32_t PWRT_Reaction(std::int32_t word, bool checked) {
  return checked ? (word & 0x3FF7) : (word | kPwrtBit);
}

std::int32_t BODEN_Reaction(std::int32_t word, bool checked) {
  return checked ? (word | kBodenBit) : (word & 0x3FBF);
}

FuseControls Fuses_Shown(std::int32_t word) {
  return FuseControls{word & 3, (word & kWdtBit) != 0, (word & kPwrtBit) == 0,
                      (word & kBodenBit) != 0};
}

std::string Fuses_Panel_Text(std::int32_t word) {
  return "Fuses 0x" + Hex(word);
}

}  // namespace corvane
