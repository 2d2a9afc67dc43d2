#include "chips/chip_entry.h"

namespace corvane {

std::string_view Family_Text(ChipFamily family) {
  switch (family) {
    case ChipFamily::kF84:
      return "f84";
    case ChipFamily::k84A87x:
      return "84a-87x";
    case ChipFamily::k87xA:
      return "87xa";
    case ChipFamily::k62xA:
      return "62xa";
    case ChipFamily::k88:
      break;
  }
  return "88";
}

std::uint16_t ChipEntry::Config_Mask(int address) const {
  for (std::size_t i = 0; i < config_addresses.size() && i < config_masks.size(); ++i) {
    if (config_addresses[i] == address) return config_masks[i];
  }
  return 0;
}

std::string ChipEntry::Where() const {
  if (origin == "built-in") return origin;
  return origin + ", line " + std::to_string(line);
}

}  // namespace corvane
