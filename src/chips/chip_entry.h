// One chip as the chip table describes it: what identifies it, its memories, its configuration
// words and their named fields, its write times and the algorithm family that programs it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The programming algorithms: each family writes, erases and enters programming mode its own way.
enum class ChipFamily { kF84, k84A87x, k87xA, k62xA, k88 };

// "f84", "84a-87x", "87xa", "62xa", "88": the family as the table writes it.
std::string_view Family_Text(ChipFamily family);

struct ConfigValue {
  std::string name;    // "XT"
  std::uint16_t bits;  // the field's bits for it, inside the field's mask
};

// A named field of a configuration word: FOSC, WDTE, CP...
struct ConfigField {
  std::string name;
  int address = 0x2007;
  std::uint16_t mask = 0;
  std::vector<ConfigValue> values;
};

struct ChipEntry {
  std::string part;   // "PIC16F877", as messages show it
  std::string key;    // "16f877", as --expect takes it
  std::string shown;  // "PIC16f877", as the device box and the status bar show it
  // The identification word at 0x2006 compared under id_mask (the bits outside it are the silicon
  // revision). A chip without one reads erased: all ones under the mask.
  std::int32_t id = 0;
  std::int32_t id_mask = 0x3FE0;
  int program_words = 0;
  int eeprom_bytes = 0;
  int user_id_address = 0x2000;
  std::vector<int> config_addresses;        // 0x2007 first
  std::vector<std::uint16_t> config_masks;  // the implemented bits of each, in that order
  std::vector<ConfigField> fields;
  std::int64_t program_write_ns = 0;  // one program write at the datasheet maximum
  std::int64_t eeprom_write_ns = 0;
  std::int64_t erase_ns = 0;  // the bulk or chip erase
  ChipFamily family = ChipFamily::k84A87x;
  std::string origin;  // "built-in", or the user's file
  int line = 0;        // where the entry begins in it

  // Whether an identification word names this chip (its revision bits ignored).
  bool Matches(std::int32_t device_id) const { return (device_id & id_mask) == (id & id_mask); }
  // Whether the chip has no identification word (a word read erased names it).
  bool Reads_Erased() const { return (id & id_mask) == (0x3FFF & id_mask); }
  // The configuration word's implemented bits at that address (0 for an address it lacks).
  std::uint16_t Config_Mask(int address) const;
  // The entry's origin and line: "built-in" or "FILE, line N".
  std::string Where() const;
};

}  // namespace corvane
