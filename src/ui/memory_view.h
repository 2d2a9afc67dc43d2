// The memory view: program memory, user IDs, identification and configuration words, and data
// EEPROM of the loaded file beside the chip as last read, as hexadecimal and ASCII in rows of 8
// words, the words where both are known and differ marked with '*'; and the checksums as IDEs show
// them for these chips, so that a user can compare with theirs. The window shows the rows in a
// read-only box under the title; the console's "dump" prints them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/working_state.h"
#include "ui/chip_snapshot.h"

namespace corvane {

struct MemorySources {
  const WorkingState& st;  // the loaded file's image, and the chip last identified
  bool file_loaded;
  const ChipSnapshot& chip;
  std::string device_box;
};

// The 16-bit sum of every program word of the chip's memory plus the configuration word under the
// chip's configuration mask (0x3FFF on the 16F84/84A, 0x3BFF on the 16F87x), plus on a chip with a
// second configuration word that word under its mask (0x0003 on the 16F87/88), as the chips'
// programming specifications sum them.
std::uint16_t Checksum(const std::vector<std::int32_t>& program, std::int32_t config,
                       std::int32_t config_mask, std::int32_t config2 = 0,
                       std::int32_t config2_mask = 0);

struct Checksums {
  std::string file;  // "0x34A2", or "no file loaded"
  std::string chip;  // "0x34A2", "0x0000 (code protected)", or "not read in full"
};
Checksums Memory_Checksums(const MemorySources& s);

// "Checksum of the file : 0x34A2" and "Checksum of the chip : ...", each ending in CR LF.
std::string Checksum_Log_Text(const Checksums& c);

struct MemoryView {
  std::string title;               // "Memory : file checksum 0x34A2, chip checksum 0x34A2"
  std::vector<std::string> lines;  // area headings and rows
};
MemoryView Memory_View(const MemorySources& s);

}  // namespace corvane
