#include "cli/chip_list.h"

#include <cstdio>

namespace corvane {

std::string Chip_List(const ChipTable& chips) {
  std::string list;
  for (const ChipEntry& c : chips.chips()) {
    std::string config;
    for (std::size_t i = 0; i < c.config_addresses.size(); ++i) {
      char word[16];
      std::snprintf(word, sizeof word, "%s%04X/%04X", i ? " " : "",
                    static_cast<unsigned>(c.config_addresses[i]),
                    static_cast<unsigned>(c.config_masks[i]));
      config += word;
    }
    char line[256];
    std::snprintf(line, sizeof line,
                  "%-9s %-11s ID %04X/%04X  %4d words  %3d bytes  config %s  %s  ", c.key.c_str(),
                  c.shown.c_str(), static_cast<unsigned>(c.id), static_cast<unsigned>(c.id_mask),
                  c.program_words, c.eeprom_bytes, config.c_str(),
                  std::string(Family_Text(c.family)).c_str());
    list += line + c.Where() + "\n";
  }
  return list;
}

}  // namespace corvane
